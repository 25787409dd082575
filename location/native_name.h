#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qomdex {

// A file or folder name in the operating system's own encoding: bytes on POSIX, UTF-16 on
// Windows. Names are never re-encoded, so a name that is not valid text survives byte for byte.
using NativeString = std::filesystem::path::string_type;
using NativeChar = std::filesystem::path::value_type;
using NativeStringView = std::basic_string_view<NativeChar>;

// Gives the key by which list entries are ordered and compared; the lists' owner supplies the
// case-insensitive fold so that this module stays free of any text library.
using SortKey = std::function<std::u16string(const NativeString& name)>;

}  // namespace qomdex
