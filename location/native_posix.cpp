// How a POSIX system spells names and paths: names are bytes, kept as they are, and '/' alone
// separates a path's parts.
#include <string_view>

#include "location/join_path.h"
#include "location/text_encoding.h"

namespace qomdex {

bool IsSeparator(NativeChar c) { return c == '/'; }

std::filesystem::path NormalizeDirectoryPath(const std::filesystem::path& directory) {
  // Only "." and repeated separators go: "link/.." names the link's target's parent, which only
  // the system can tell, so ".." is left for it to resolve.
  const NativeString absolute = std::filesystem::absolute(directory).native();
  NativeString normal;
  for (std::size_t start = 0; start < absolute.size();) {
    std::size_t end = absolute.find('/', start);
    if (end == NativeString::npos) end = absolute.size();
    const std::string_view component(absolute.data() + start, end - start);
    if (!component.empty() && component != ".") (normal += '/') += component;
    start = end + 1;
  }
  return normal.empty() ? "/" : normal;
}

std::u16string NativeToUtf16(const NativeString& name) { return DecodeUtf8(name); }

std::string NativeToUtf8(const NativeString& name) { return name; }

NativeString NativeFromUtf8(std::string_view utf8) { return NativeString(utf8); }

std::u16string SystemTextToUtf16(const std::string& text) { return DecodeUtf8(text); }

std::string SystemTextToUtf8(const std::string& text) { return text; }

}  // namespace qomdex
