#include "engine/folder_routine.h"

#include <gtest/gtest.h>

#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::RunFolderPass;
using testing::TempDir;
using Names = std::set<std::string>;

struct FolderPassCase {
  const char* label;
  Names before;
  Names after;
  std::vector<std::string> failed = {};
};

const FolderPassCase kCleansFolderNamesAndSuffixesTakenOnesWithTheirPositionRows[] = {
    {"worked example", {"01 Rock", "02 - Jazz", "Rock"}, {"Rock Copy ( 0)", "Jazz", "Rock"}},
    {"no subfolders", {}, {}},
    {"dots are cut from folders", {"01. Intro", "1.5 Outro"}, {"Intro", "Outro"}},
    {"two folders cleaning to one name", {"01 Intro", "02 Intro"}, {"Intro", "Intro Copy ( 1)"}},
    {"names cleaned to nothing are kept", {"99", "1.2"}, {"99", "1.2"}},
    // Whole paths are compared, so a leading space is part of the name until it is cut.
    {"a leading space is not trimmed", {"01 Rock", " Rock"}, {"Rock", "Rock Copy ( 1)"}},
    {"taken suffixed name is refused, even an empty folder",
     {"01 Rock", "Rock", "Rock Copy ( 0)"},
     {"01 Rock", "Rock", "Rock Copy ( 0)"},
     {"01 Rock"}},
#ifdef _WIN32  // Windows names cannot end in a space.
    {"case ignored", {"01 rock", "ROCK"}, {"rock Copy ( 0)", "ROCK"}},
#else
    {"case and trailing spaces ignored", {"01 rock", "ROCK "}, {"rock Copy ( 0)", "ROCK "}},
#endif
};

class CleansFolderNamesAndSuffixesTakenOnesWithTheirPosition
    : public ::testing::TestWithParam<FolderPassCase> {};

TEST_P(CleansFolderNamesAndSuffixesTakenOnesWithTheirPosition, Holds) {
  const FolderPassCase& c = GetParam();
  TempDir dir;
  for (const auto& name : c.before) dir.MakeDir(name);
  dir.Touch("01 file stays");
  PassState state;
  state.CopyCount = 5;
  const PassReport report = RunFolderPass(state, dir.path());
  Names after = c.after;
  after.insert("01 file stays");
  EXPECT_EQ(dir.Names(), after);
  EXPECT_EQ(testing::FailedNames(report), c.failed);
  EXPECT_EQ(state.CopyCount, 5u);
}

INSTANTIATE_TEST_SUITE_P(
    FolderRoutineTest, CleansFolderNamesAndSuffixesTakenOnesWithTheirPosition,
    ::testing::ValuesIn(kCleansFolderNamesAndSuffixesTakenOnesWithTheirPositionRows),
    testing::kByLabel);

TEST(FolderRoutineTest, ContentGoesWithItsFolder) {
  TempDir dir;
  dir.MakeDir("01 Rock");
  dir.Touch("01 Rock/01 song.mp3", "music");
  PassState state;
  const PassReport report = RunFolderPass(state, dir.path());
  EXPECT_EQ(testing::RenamedTo(report), std::vector<std::string>{"Rock"});
  EXPECT_EQ(dir.Read("Rock/01 song.mp3"), "music");
}

TEST(FolderRoutineTest, EmptyCleanedNameIsKeptWithoutAFailure) {
  TempDir dir;
  dir.MakeDir("99");
  PassState state;
  const PassReport report = RunFolderPass(state, dir.path());
  EXPECT_TRUE(report.failures.empty());
  ASSERT_EQ(report.kept.size(), 1u);
  EXPECT_EQ(report.kept[0].path, dir / "99");
}

}  // namespace
}  // namespace qomdex
