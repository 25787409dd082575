#include "cli/progress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex::cli {
namespace {

using namespace std::chrono_literals;

TEST(ProgressTest, DrawsOnlyAfterHalfASecondAndAtMostEveryTenthOfOne) {
  std::ostringstream terminal;
  std::atomic<bool> interrupted{false};
  Progress::Clock::time_point now{};
  {
    Progress progress(terminal, true, interrupted, [&] { return now; });
    const struct {
      std::chrono::milliseconds at;
      bool drawn;
    } steps[] = {{100ms, false}, {499ms, false}, {500ms, true}, {550ms, false}, {600ms, true}};
    std::size_t done = 0;
    for (const auto& step : steps) {
      now = Progress::Clock::time_point(step.at);
      const std::size_t before = terminal.str().size();
      EXPECT_TRUE(progress.EntryDone(++done, 9, testing::Native("01 a")));
      EXPECT_EQ(terminal.str().size() > before, step.drawn) << step.at.count() << " ms";
    }
    EXPECT_NE(terminal.str().find("qomdex-cli: 5/9 '01 a'"), std::string::npos);
  }
  EXPECT_TRUE(terminal.str().ends_with("\r\x1b[K")) << "the line is erased at the end";
}

TEST(ProgressTest, SilentWithoutATerminalAndStopsOnceInterrupted) {
  std::ostringstream terminal;
  std::atomic<bool> interrupted{false};
  Progress::Clock::time_point now{};
  Progress progress(terminal, false, interrupted, [&] { return now; });
  now += 10s;
  EXPECT_TRUE(progress.EntryDone(1, 2, testing::Native("a")));
  interrupted = true;
  EXPECT_FALSE(progress.EntryDone(2, 2, testing::Native("b")));
  EXPECT_EQ(terminal.str(), "");
}

TEST(ProgressTest, InterruptedRunRenamesNothingMoreAndExitsWith130) {
  testing::TempDir dir;
  dir.Touch("01 a");
  std::atomic<bool> interrupted{true};
  std::ostringstream out, err;
  const int status = cli::Run({testing::Utf8(dir.path())}, out, err, {.interrupted = &interrupted});
  EXPECT_EQ(status, kExitInterrupted);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"01 a"});
}

}  // namespace
}  // namespace qomdex::cli
