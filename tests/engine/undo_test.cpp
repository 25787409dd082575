#include "engine/undo.h"

#include <gtest/gtest.h>

#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::TempDir;
using Names = std::set<std::string>;
using Kind = PassReport::FailureKind;

struct UndoCase {
  const char* label;
  void (*meddle)(const TempDir&);  // what the user does between the pass and the undo
  Names after_undo;
  std::vector<Kind> failures;
  std::error_condition error = {};  // of the one failure, if any
  const char* new_file = nullptr;   // the user's new file, which must be left as it is
};

std::vector<Kind> Kinds(const PassReport& report) {
  std::vector<Kind> kinds;
  for (const auto& failure : report.failures) kinds.push_back(failure.kind);
  return kinds;
}

const UndoCase kPutsBackOnlyTheVeryEntriesRenamedAndOnlyOntoFreeNamesRows[] = {
    {"nothing changed", [](auto&) {}, {"01 a.txt", "02 a.txt", "05 five.txt", "a.txt"}, {}},
    {"renamed entry moved away and another made under its name",
     [](auto& d) {
       std::filesystem::rename(d / "five.txt", d / "elsewhere");
       d.Touch("five.txt", "new");
     },
     {"01 a.txt", "02 a.txt", "a.txt", "elsewhere", "five.txt"},
     {Kind::kNotRenamedEntry},
     {},
     "five.txt"},
    {"renamed entry renamed again by hand",
     [](auto& d) { std::filesystem::rename(d / "five.txt", d / "by hand"); },
     {"01 a.txt", "02 a.txt", "a.txt", "by hand"},
     {Kind::kNotRenamedEntry},
     std::errc::no_such_file_or_directory},
    {"old name taken meanwhile",
     [](auto& d) { d.Touch("05 five.txt", "new"); },
     {"01 a.txt", "02 a.txt", "05 five.txt", "a.txt", "five.txt"},
     {Kind::kRename},
     std::errc::file_exists,
     "05 five.txt"},
};

class PutsBackOnlyTheVeryEntriesRenamedAndOnlyOntoFreeNames
    : public ::testing::TestWithParam<UndoCase> {};

TEST_P(PutsBackOnlyTheVeryEntriesRenamedAndOnlyOntoFreeNames, Holds) {
  const UndoCase& c = GetParam();
  TempDir dir;
  for (const char* name : {"01 a.txt", "02 a.txt", "05 five.txt", "a.txt"}) dir.Touch(name);
  PassState state;
  const PassReport pass = testing::RunFilePass(state, dir.path());
  ASSERT_EQ(pass.renamed.size(), 3u);
  c.meddle(dir);
  const Names meddled = dir.Names();

  const PassReport dry = UndoRenames(pass.renamed, {.dry_run = true});
  EXPECT_EQ(dir.Names(), meddled);
  const PassReport undo = UndoRenames(pass.renamed);

  EXPECT_EQ(dir.Names(), c.after_undo);
  EXPECT_EQ(Kinds(undo), c.failures);
  EXPECT_EQ(testing::RenamedTo(dry), testing::RenamedTo(undo));
  EXPECT_EQ(Kinds(dry), Kinds(undo));
  EXPECT_EQ(undo.renamed.size() + undo.failures.size(), 3u);
  if (!c.failures.empty()) {
    EXPECT_EQ(undo.failures[0].error, c.error);
  }
  EXPECT_EQ(dir.Read("02 a.txt"), "02 a.txt") << "copy-suffixed names come back too";
  if (c.new_file) {
    EXPECT_EQ(dir.Read(c.new_file), "new");
  }
}

INSTANTIATE_TEST_SUITE_P(
    UndoTest, PutsBackOnlyTheVeryEntriesRenamedAndOnlyOntoFreeNames,
    ::testing::ValuesIn(kPutsBackOnlyTheVeryEntriesRenamedAndOnlyOntoFreeNamesRows),
    testing::kByLabel);

}  // namespace
}  // namespace qomdex
