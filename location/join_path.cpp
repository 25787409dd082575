#include "location/join_path.h"

#include <algorithm>
#include <string_view>

namespace qomdex {
namespace {

bool IsSeparator(NativeChar c) {
#ifdef _WIN32
  return c == L'\\' || c == L'/';
#else
  return c == '/';
#endif
}

}  // namespace

std::filesystem::path JoinPath(const std::filesystem::path& directory, const NativeString& name) {
  NativeString joined = directory.native();
  if (joined.empty() || !IsSeparator(joined.back())) {
    joined += std::filesystem::path::preferred_separator;
  }
  joined += name;
  return std::filesystem::path(std::move(joined));
}

std::filesystem::path NormalizeDirectoryPath(const std::filesystem::path& directory) {
#ifdef _WIN32
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
#else
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
#endif
}

NativeString LastComponent(const std::filesystem::path& full_path) {
  const NativeString& text = full_path.native();
  std::size_t start = text.size();
  while (start > 0 && !IsSeparator(text[start - 1])) --start;
  return text.substr(start);
}

}  // namespace qomdex
