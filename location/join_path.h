#pragma once

#include <filesystem>

#include "location/native_name.h"

namespace qomdex {

// Returns true for a character that separates the parts of a path: '/', and on Windows '\\'
// too. Depends on the system (native_posix.cpp, native_windows.cpp).
bool IsSeparator(NativeChar c);

// Returns the directory's path, a separator unless the path already ends in one, then the name.
// Pure string work: never touches the disk.
std::filesystem::path JoinPath(const std::filesystem::path& directory, const NativeString& name);

// Returns the absolute form of a directory path: a root keeps its trailing separator ("/",
// "c:\"), any other directory has none. On POSIX only "." components and repeated separators go
// (".." is the system's to resolve); on Windows the path is lexically normal, except that a share's
// path ("\\server\share") or one in the extended form ("\\?\") only loses its ending separators.
// Touches the disk only to read the current directory when the path is relative. Depends on the
// system (native_posix.cpp, native_windows.cpp).
std::filesystem::path NormalizeDirectoryPath(const std::filesystem::path& directory);

// Returns the last component of a full path (the text after its last separator).
NativeString LastComponent(const std::filesystem::path& full_path);

}  // namespace qomdex
