#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/temp_dir.h"

namespace qomdex::cli {
namespace {

using testing::TempDir;
using Names = std::set<std::string>;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliTest, PrintsOneLinePerRename) {
  TempDir dir;
  for (const char* name : {"01 a.txt", "02 a.txt", "b.txt"}) dir.Touch(name);
  const Result result = RunCli({dir.path().string()});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "'01 a.txt' -> a.txt\n'02 a.txt' -> 'a copy ( 1).txt'\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(dir.Names(), (Names{"a.txt", "a copy ( 1).txt", "b.txt"}));
}

TEST(CliTest, FoldersOptionRunsTheFolderPass) {
  TempDir dir;
  for (const char* name : {"01 Rock", "02 - Jazz", "Rock"}) dir.MakeDir(name);
  dir.Touch("01 file");
  const Result result = RunCli({"--folders", dir.path().string()});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "'01 Rock' -> 'Rock Copy ( 0)'\n'02 - Jazz' -> Jazz\n");
  EXPECT_EQ(dir.Names(), (Names{"Rock Copy ( 0)", "Jazz", "Rock", "01 file"}));
}

TEST(CliTest, DryRunPrintsTheSameLinesAndRenamesNothing) {
  TempDir dir;
  for (const char* name : {"01 a.txt", "02 a.txt"}) dir.Touch(name);
  const Result dry = RunCli({"--dry-run", dir.path().string()});
  EXPECT_EQ(dir.Names(), (Names{"01 a.txt", "02 a.txt"}));
  const Result real = RunCli({dir.path().string()});
  EXPECT_EQ(dry.out, real.out);
  EXPECT_EQ(dry.status, kExitSuccess);
}

TEST(CliTest, CopyCountCarriesOnAcrossDirectoriesInOrder) {
  TempDir first, second;
  first.Touch("01 a");
  first.Touch("a");
  second.Touch("01 b");
  second.Touch("b");
  const Result result = RunCli({first.path().string(), second.path().string()});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(second.Names(), (Names{"b copy ( 3).", "b"}));
  EXPECT_NE(result.out.find(first.path().string() + ":\n'01 a' -> 'a copy ( 1).'\n"),
            std::string::npos)
      << result.out;
}

TEST(CliTest, RefusedRenameIsReportedAndTheRestGoesOn) {
  TempDir dir;
  for (const char* name : {"01 a.txt", "a.txt", "a copy ( 1).txt", "02 b.txt"}) dir.Touch(name);
  const Result result = RunCli({dir.path().string()});
  EXPECT_EQ(result.status, kExitRenameFailed);
  EXPECT_EQ(result.err, "qomdex-cli: cannot rename '01 a.txt' to 'a copy ( 1).txt': File exists\n");
  EXPECT_EQ(result.out, "'02 b.txt' -> b.txt\n");
  EXPECT_EQ(dir.Read("a copy ( 1).txt"), "a copy ( 1).txt");
  EXPECT_EQ(dir.Read("01 a.txt"), "01 a.txt");
}

TEST(CliTest, UnreadableDirectoryIsReportedAndTheOthersAreStillTreated) {
  TempDir dir;
  dir.Touch("01 a");
  const std::string missing = (dir / "missing").string();
  const Result result = RunCli({missing, dir.path().string()});
  EXPECT_EQ(result.status, kExitUsageOrUnreadable);
  EXPECT_NE(result.err.find("cannot read directory " + missing + ": No such file or directory"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(dir.Names(), Names{"a"});
}

TEST(CliTest, KeptEntriesAreNotedWithoutFailing) {
  TempDir dir;
  dir.Touch("99.txt");
  const Result result = RunCli({dir.path().string()});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "qomdex-cli: kept 99.txt: its new name would hide it\n");
}

TEST(CliTest, UsageHelpAndVersion) {
  const struct {
    std::vector<std::string> args;
    int status;
    const char* out_starts;
    const char* err_starts;
  } cases[] = {
      {{"--version"}, kExitSuccess, "qomdex-cli 1.00\n", ""},
      {{"--help"}, kExitSuccess, "Usage: qomdex-cli", ""},
      {{}, kExitUsageOrUnreadable, "", "qomdex-cli: no DIRECTORY given"},
      {{"--dry-run"}, kExitUsageOrUnreadable, "", "qomdex-cli: no DIRECTORY given"},
      {{"--bogus", "/"}, kExitUsageOrUnreadable, "", "qomdex-cli: unknown option --bogus"},
  };
  for (const auto& c : cases) {
    const Result result = RunCli(c.args);
    EXPECT_EQ(result.status, c.status);
    EXPECT_TRUE(result.out.starts_with(c.out_starts)) << result.out;
    EXPECT_TRUE(result.err.starts_with(c.err_starts)) << result.err;
  }
}

TEST(CliTest, DoubleDashEndsOptions) {
  TempDir dir;
  dir.MakeDir("--folders");
  dir.Touch("--folders/01 a");
  const Result result = RunCli({"--", (dir / "--folders").string()});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "'01 a' -> a\n");
}

}  // namespace
}  // namespace qomdex::cli
