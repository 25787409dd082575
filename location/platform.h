#pragma once

// Every call into the operating system that qomdex makes goes through these functions; each OS
// has its own implementation file (platform_posix.cpp, platform_windows.cpp).

#include <filesystem>
#include <vector>

#include "location/native_name.h"

namespace qomdex::platform {

struct DirectoryEntry {
  NativeString name;
  // Classified by what the entry points at, so a link to a folder counts as a folder; the entry
  // itself is what gets renamed.
  bool is_directory = false;
};

// Returns the entries of a directory that the system's file manager shows by default ("." and
// ".." never), in no particular order. Reads the disk; throws std::filesystem::filesystem_error
// when the directory cannot be read.
std::vector<DirectoryEntry> ReadDirectory(const std::filesystem::path& directory);

// Renames a file, folder or link atomically and never replaces an existing entry. Returns the
// path the entry has now: `to`, unless the system adjusts new names (Windows drops trailing dots
// and spaces). Touches the disk. On failure sets `error` to the system's reason and returns an
// empty path; never throws for a refused rename.
std::filesystem::path Rename(const std::filesystem::path& from, const std::filesystem::path& to,
                             std::error_code& error);

// Returns the root paths of the system's drives (mount points of real file systems off
// Windows), the system volume first. Reads the system's mount table.
std::vector<std::filesystem::path> ListDrives();

// Returns the location every start of the program begins at: the system volume's root.
std::filesystem::path StartLocation();

// Returns true when a name alone hides its entry from the lists (a leading dot on POSIX).
// Never touches the disk.
bool NameHidesEntry(const NativeString& name);

}  // namespace qomdex::platform
