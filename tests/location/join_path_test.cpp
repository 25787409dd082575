#include "location/join_path.h"

#include <gtest/gtest.h>

namespace qomdex {
namespace {

struct JoinCase {
  const char* directory;
  const char* name;
  const char* joined;
};

TEST(JoinPathTest, AddsOneSeparatorOnly) {
  const JoinCase cases[] = {
      {"/", "a.txt", "/a.txt"},
      {"/music", "a.txt", "/music/a.txt"},
      {"/music/", "a.txt", "/music/a.txt"},
      {"/music", "", "/music/"},
      {"/music", " Copy ( 0)", "/music/ Copy ( 0)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JoinPath(c.directory, c.name).native(), c.joined) << c.directory << " + " << c.name;
  }
}

TEST(JoinPathTest, NormalizedDirectoryKeepsOnlyARootsSeparatorAndLeavesDotDotToTheSystem) {
  const JoinCase cases[] = {
      {"/", "", "/"},
      {"//", "", "/"},
      {"/a/b/", "", "/a/b"},
      {"/a//./b/", "", "/a/b"},
      // "b" may be a link, so only the system can say where "b/.." is.
      {"/a/./b/../c", "", "/a/b/../c"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeDirectoryPath(c.directory).native(), c.joined) << c.directory;
  }
}

TEST(JoinPathTest, LastComponentIsTheTextAfterTheLastSeparator) {
  EXPECT_EQ(LastComponent("/music/01 Rock"), "01 Rock");
  EXPECT_EQ(LastComponent("/Rock"), "Rock");
  EXPECT_EQ(LastComponent("Rock"), "Rock");
  EXPECT_EQ(LastComponent("/music/"), "");
}

}  // namespace
}  // namespace qomdex
