// The manual page lists exactly the options the program takes, short forms included.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "cli/options.h"

namespace qomdex::cli {
namespace {

// Returns every option named on the first line of an entry of the page's OPTIONS section.
std::set<std::string> OptionsOnThePage(const char* path) {
  std::ifstream page(path);
  EXPECT_TRUE(page) << path;
  std::set<std::string> names;
  const std::regex option(R"(\\-(\\-)?[a-z][a-z\\-]*)");
  bool in_options = false;
  bool entry_starts = false;
  for (std::string line; std::getline(page, line);) {
    if (line.starts_with(".SH")) in_options = line == ".SH OPTIONS";
    if (!in_options) continue;
    if (entry_starts) {
      for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it) {
        std::string name = it->str();
        name.erase(std::remove(name.begin(), name.end(), '\\'), name.end());
        names.insert(name);
      }
    }
    entry_starts = line == ".TP";
  }
  return names;
}

TEST(ManualPageTest, ListsExactlyTheOptionsOfTheTable) {
  std::set<std::string> table;
  for (const OptionEntry& entry : Options()) {
    table.insert(entry.name);
    if (entry.alias != nullptr) table.insert(entry.alias);
  }
  EXPECT_EQ(OptionsOnThePage(QOMDEX_MANUAL_PAGE), table);
}

}  // namespace
}  // namespace qomdex::cli
