// How Windows spells names and paths: names are UTF-16, and '\' and '/' both separate a path's
// parts.
#include <algorithm>

#include "location/join_path.h"
#include "location/text_encoding.h"

namespace qomdex {

bool IsSeparator(NativeChar c) { return c == L'\\' || c == L'/'; }

std::filesystem::path NormalizeDirectoryPath(const std::filesystem::path& directory) {
  // The standard library here knows no share root ("\\server\share") and would move such a path
  // onto the current drive, so a path that starts with two separators is kept as written.
  const NativeString& text = directory.native();
  if (text.size() > 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
    NativeString kept = text;
    std::replace(kept.begin(), kept.end(), L'/', L'\\');
    while (kept.size() > 2 && kept.back() == L'\\') kept.pop_back();
    return kept;
  }
  std::filesystem::path normal = std::filesystem::absolute(directory).lexically_normal();
  if (!normal.has_filename() && normal != normal.root_path()) {
    normal = normal.parent_path();
  }
  if (normal == normal.root_name()) {
    normal /= std::filesystem::path(NativeString(1, std::filesystem::path::preferred_separator));
  }
  return normal;
}

std::u16string NativeToUtf16(const NativeString& name) {
  return std::u16string(name.begin(), name.end());
}

std::string NativeToUtf8(const NativeString& name) {
  std::string bytes;
  bytes.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    char32_t code = name[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
        name[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (name[++i] - 0xDC00u);
    }
    AppendUtf8(code, bytes);
  }
  return bytes;
}

NativeString NativeFromUtf8(std::string_view utf8) {
  const std::u16string text = DecodeUtf8(utf8);
  return NativeString(text.begin(), text.end());
}

std::u16string SystemTextToUtf16(const std::string& text) {
  std::u16string wide;
  for (const char c : text) wide.push_back(static_cast<unsigned char>(c));
  return wide;
}

std::string SystemTextToUtf8(const std::string& text) {
  std::string bytes;
  for (const char c : text) AppendUtf8(static_cast<unsigned char>(c), bytes);
  return bytes;
}

}  // namespace qomdex
