#include "location/join_path.h"

namespace qomdex {

std::filesystem::path JoinPath(const std::filesystem::path& directory, const NativeString& name) {
  NativeString joined = directory.native();
  if (joined.empty() || !IsSeparator(joined.back())) {
    joined += std::filesystem::path::preferred_separator;
  }
  joined += name;
  return std::filesystem::path(std::move(joined));
}

NativeString LastComponent(const std::filesystem::path& full_path) {
  const NativeString& text = full_path.native();
  std::size_t start = text.size();
  while (start > 0 && !IsSeparator(text[start - 1])) --start;
  return text.substr(start);
}

}  // namespace qomdex
