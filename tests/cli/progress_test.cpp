#include "cli/progress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/row_name.h"
#include "tests/support/utf8_names.h"

namespace qomdex::cli {
namespace {

using namespace std::chrono_literals;

// An erased line comes back at once; a restart waits its half second again.
TEST(ProgressTest, DrawsOnlyAfterHalfASecondAndAtMostEveryTenthOfOne) {
  std::ostringstream terminal;
  Progress::Clock::time_point now{};
  {
    Progress progress(terminal, true, {}, [&] { return now; });
    using Call = void (Progress::*)();
    const Call clear = &Progress::Clear, restart = &Progress::Restart;
    const struct {
      std::chrono::milliseconds at;
      bool drawn;
      Call first;
    } steps[] = {{100ms, false, {}},      {499ms, false, {}},  {500ms, true, {}},
                 {550ms, false, {}},      {600ms, true, {}},   {610ms, true, clear},
                 {700ms, false, restart}, {1199ms, false, {}}, {1200ms, true, {}}};
    std::size_t done = 0;
    for (const auto& step : steps) {
      now = Progress::Clock::time_point(step.at);
      if (step.first) (progress.*step.first)();
      const std::size_t before = terminal.str().size();
      progress.EntryDone(++done, 9, testing::Native("01 a"));
      EXPECT_EQ(terminal.str().size() > before, step.drawn) << step.at.count() << " ms";
    }
    EXPECT_NE(terminal.str().find("qomdex-cli: 5/9 '01 a'"), std::string::npos);
  }
  EXPECT_TRUE(terminal.str().ends_with("\r\x1b[K")) << "the line is erased at the end";
}

// A line that wrapped would leave its first rows behind when erased.
TEST(ProgressTest, LineIsCutToTheTerminalWidthAndNeverWraps) {
  const struct {
    int columns;
    const char* name;
    const char* shown;
  } cases[] = {
      {40, "01 short", "qomdex-cli: 1/1 '01 short'"},
      {20, "01 a rather long name", "qomdex-cli: 1/1 ..."},
      {30, "01 a rather long name", "qomdex-cli: 1/1 '01 a rath..."},
      {24, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt",
       "qomdex-cli: 1/1 \xE6\x97\xA5\xE6\x9C\xAC..."},
      {0, "01 a", "qomdex-cli: 1/1 '01 a'"},  // width unknown
  };
  for (const auto& c : cases) {
    std::ostringstream terminal;
    Progress::Clock::time_point now{};
    Progress progress(
        terminal, true, [&] { return c.columns; }, [&] { return now; });
    now += 1s;
    progress.EntryDone(1, 1, testing::Native(c.name));
    EXPECT_EQ(terminal.str(), std::string("\r\x1b[K") + c.shown) << c.columns;
  }
}

// In a walk, the folder comes first; "+" says folders not yet listed may hold more.
struct ShowsTheFolderOfAWalkCase {
  std::size_t number, found;
  bool all_found;
  const char* shown;
};
const ShowsTheFolderOfAWalkCase kShowsTheFolderOfAWalkRows[] = {
    {12, 340, false, "qomdex-cli: folder 12/340+, 1/2 '01 a'"},
    {340, 340, true, "qomdex-cli: folder 340/340, 1/2 '01 a'"},
};

class ShowsTheFolderOfAWalk : public ::testing::TestWithParam<ShowsTheFolderOfAWalkCase> {};

TEST_P(ShowsTheFolderOfAWalk, Holds) {
  const ShowsTheFolderOfAWalkCase& c = GetParam();
  std::ostringstream terminal;
  Progress::Clock::time_point now{};
  Progress progress(terminal, true, {}, [&] { return now; });
  progress.Folder(c.number, c.found, c.all_found);
  now += 1s;
  progress.EntryDone(1, 2, testing::Native("01 a"));
  EXPECT_EQ(terminal.str(), std::string("\r\x1b[K") + c.shown);
}

INSTANTIATE_TEST_SUITE_P(ProgressTest, ShowsTheFolderOfAWalk,
                         ::testing::ValuesIn(kShowsTheFolderOfAWalkRows),
                         [](const auto& row) { return testing::RowName(row.param.shown); });

TEST(ProgressTest, SilentWithoutATerminal) {
  std::ostringstream terminal;
  Progress::Clock::time_point now{};
  Progress progress(terminal, false, {}, [&] { return now; });
  now += 10s;
  progress.EntryDone(1, 2, testing::Native("a"));
  EXPECT_EQ(terminal.str(), "");
}

}  // namespace
}  // namespace qomdex::cli
