// The shells' completions offer exactly the options of the table, know which of them take a
// value, and complete DIRECTORY to folders only; so they cannot drift from the table.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli/options.h"

namespace qomdex::cli {
namespace {

struct Offered {
  std::set<std::string> options;  // long and short forms
  std::set<std::string> valued;   // the long forms of those that take a value
};

// Reads the quoted words after `name=` in a bash script.
std::set<std::string> BashList(const std::string& script, const std::string& name) {
  std::smatch list;
  std::regex_search(script, list, std::regex(name + "='([^']*)'"));
  std::istringstream words(list[1].str());
  std::set<std::string> found;
  for (std::string word; words >> word;) found.insert(word);
  return found;
}

Offered FromBash(const std::string& script) {
  return {BashList(script, "options"), BashList(script, "valued")};
}

// The options of zsh's _arguments: "--name[", "--name=[" (takes a value), "{-r,--recursive}".
Offered FromZsh(const std::string& script) {
  Offered offered;
  const std::regex option(R"((?:^|['{,)*])(--?[a-z][a-z-]*)(=?)(?=\[|\}|,))");
  for (std::sregex_iterator it(script.begin(), script.end(), option), end; it != end; ++it) {
    offered.options.insert((*it)[1]);
    if ((*it)[2] == "=") offered.valued.insert((*it)[1]);
  }
  return offered;
}

// fish: "complete -c qomdex-cli -s r -l recursive", "--require-parameter" for a value.
Offered FromFish(const std::string& script) {
  Offered offered;
  std::istringstream lines(script);
  const std::regex short_form(R"(\s-s ([a-z])\b)");
  const std::regex long_form(R"(\s-l ([a-z][a-z-]*))");
  for (std::string line; std::getline(lines, line);) {
    std::smatch found;
    if (std::regex_search(line, found, short_form)) offered.options.insert("-" + found[1].str());
    if (!std::regex_search(line, found, long_form)) continue;
    offered.options.insert("--" + found[1].str());
    if (line.find("--require-parameter") != std::string::npos) {
      offered.valued.insert("--" + found[1].str());
    }
  }
  return offered;
}

struct ShellCase {
  const char* name;
  const char* file;
  Offered (*read)(const std::string& script);
  const char* folders_only;  // how the script completes DIRECTORY
};

const ShellCase kShells[] = {
    {"Bash", "qomdex-cli.bash", FromBash, "compgen -d"},
    {"Zsh", "_qomdex-cli", FromZsh, "'*:DIRECTORY:_files -/'"},
    {"Fish", "qomdex-cli.fish", FromFish, "-f -a '(__fish_complete_directories)'"},
};

class CompletionTest : public ::testing::TestWithParam<ShellCase> {};

TEST_P(CompletionTest, OffersExactlyTheOptionsOfTheTable) {
  std::ifstream file(std::string(QOMDEX_COMPLETIONS_DIR) + "/" + GetParam().file);
  ASSERT_TRUE(file) << GetParam().file;
  std::ostringstream script;
  script << file.rdbuf();
  Offered table;
  for (const OptionEntry& entry : Options()) {
    table.options.insert(entry.name);
    if (entry.alias != nullptr) table.options.insert(entry.alias);
    if (entry.argument != nullptr) table.valued.insert(entry.name);
  }
  const Offered offered = GetParam().read(script.str());
  EXPECT_EQ(offered.options, table.options);
  EXPECT_EQ(offered.valued, table.valued);
  EXPECT_NE(script.str().find(GetParam().folders_only), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Shells, CompletionTest, ::testing::ValuesIn(kShells),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex::cli
