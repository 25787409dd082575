#include "engine/undo.h"

#include <gtest/gtest.h>

#include "tests/engine/pass_fixture.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using Names = std::set<std::string>;

TEST(UndoTest, RestoresEveryNameOfAPassAndSkipsWhatChangedMeanwhile) {
  testing::TempDir dir;
  for (const char* name : {"01 a.txt", "02 a.txt", "03 b", "a.txt"}) dir.Touch(name);
  const Names before = dir.Names();
  PassState state;
  const PassReport pass = testing::RunFilePass(state, dir.path());
  ASSERT_EQ(pass.renamed.size(), 3u);

  std::filesystem::rename(dir / "b", dir / "b renamed by hand");
  const PassReport undo = UndoRenames(pass.renamed);

  EXPECT_EQ(dir.Names(), (Names{"01 a.txt", "02 a.txt", "b renamed by hand", "a.txt"}));
  EXPECT_EQ(dir.Read("02 a.txt"), "02 a.txt") << "copy-suffixed names come back too";
  ASSERT_EQ(undo.failures.size(), 1u);
  EXPECT_EQ(undo.failures[0].path, dir / "b");
  EXPECT_EQ(undo.failures[0].error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(undo.renamed.size(), 2u);
}

}  // namespace
}  // namespace qomdex
