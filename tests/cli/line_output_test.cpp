#include "cli/line_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qomdex::cli {
namespace {

using namespace std::chrono_literals;

// A line reaches the stream no later than a tenth of a second after the one before it was
// flushed, and every line reaches it by the final flush.
TEST(LineOutputTest, HoldsLinesForATenthOfASecondAtMost) {
  std::ostringstream out;
  LineOutput::Clock::time_point now{};
  LineOutput output(out, [&] { return now; });
  const struct {
    std::chrono::milliseconds at;
    const char* line;
    const char* out;
  } steps[] = {
      {10ms, "a", ""},
      {99ms, "b", ""},
      {100ms, "c", "a\nb\nc\n"},
      {150ms, "d", "a\nb\nc\n"},
      {250ms, "e", "a\nb\nc\nd\ne\n"},
  };
  for (const auto& step : steps) {
    now = LineOutput::Clock::time_point(step.at);
    output.Line(step.line, true);
    EXPECT_EQ(out.str(), step.out) << step.at.count() << " ms";
  }
  EXPECT_EQ(output.lost_renames(), 0u);
  output.Line("f", true);
  EXPECT_TRUE(output.Flush());
  EXPECT_EQ(out.str(), "a\nb\nc\nd\ne\nf\n");
}

}  // namespace
}  // namespace qomdex::cli
