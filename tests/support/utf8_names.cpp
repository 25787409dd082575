#include "tests/support/utf8_names.h"

#include <filesystem>

namespace qomdex::testing {

NativeString Native(std::string_view utf8) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).native();
#else
  return NativeString(utf8);
#endif
}

std::string Utf8(const NativeString& name) {
#ifdef _WIN32
  const std::u8string text = std::filesystem::path(name).u8string();
  return std::string(text.begin(), text.end());
#else
  return name;
#endif
}

}  // namespace qomdex::testing
