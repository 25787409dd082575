#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace qomdex::testing {

// Returns a table row's label as a name GoogleTest takes for the row: each word capitalised and
// everything but letters and digits dropped ("a dry run, twice" gives "ADryRunTwice").
inline std::string RowName(std::string_view label) {
  std::string name;
  bool word_start = true;
  for (const char c : label) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && std::isalnum(byte)) {
      name.push_back(word_start ? static_cast<char>(std::toupper(byte)) : c);
      word_start = false;
    } else {
      word_start = true;
    }
  }
  return name;
}

// Names each row of a table by its `label`, for INSTANTIATE_TEST_SUITE_P.
inline constexpr auto kByLabel = [](const auto& row) { return RowName(row.param.label); };

}  // namespace qomdex::testing
