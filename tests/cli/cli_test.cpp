#include "cli/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <sstream>

#include "engine/journal.h"
#include "location/platform.h"
#include "present/quoting.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex::cli {
namespace {

using present::QuoteName;
using testing::TempDir;
using testing::Utf8;
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
  const Result result = RunCli({Utf8(dir.path())});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "'01 a.txt' -> a.txt\n'02 a.txt' -> 'a copy ( 1).txt'\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(dir.Names(), (Names{"a.txt", "a copy ( 1).txt", "b.txt"}));
}

TEST(CliTest, FoldersOptionRunsTheFolderPass) {
  TempDir dir;
  for (const char* name : {"01 Rock", "02 - Jazz", "Rock"}) dir.MakeDir(name);
  dir.Touch("01 file");
  const Result result = RunCli({"--folders", Utf8(dir.path())});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "'01 Rock' -> 'Rock Copy ( 0)'\n'02 - Jazz' -> Jazz\n");
  EXPECT_EQ(dir.Names(), (Names{"Rock Copy ( 0)", "Jazz", "Rock", "01 file"}));
}

TEST(CliTest, DryRunPrintsTheSameLinesAndRenamesNothing) {
  TempDir dir;
  for (const char* name : {"01 a.txt", "02 a.txt"}) dir.Touch(name);
  const Result dry = RunCli({"--dry-run", Utf8(dir.path())});
  EXPECT_EQ(dir.Names(), (Names{"01 a.txt", "02 a.txt"}));
  // A dry run that saw nothing to rename would print the same nothing as a broken real run.
  ASSERT_EQ(std::count(dry.out.begin(), dry.out.end(), '\n'), 2) << dry.out;
  const Result real = RunCli({Utf8(dir.path())});
  EXPECT_EQ(dry.out, real.out);
  EXPECT_EQ(dry.status, kExitSuccess);
  EXPECT_EQ(dir.Names(), (Names{"a.txt", "a copy ( 1).txt"}));
}

#ifndef _WIN32
// Forges the journal into one whose new name is too long for the system to look up.
void NameTooLongToLookUp(const TempDir& dir, const std::filesystem::path& journal) {
  std::error_code error;
  const platform::Identity entry = platform::SystemCalls::Native().Identify(
      platform::Directory(dir.path()), testing::Native("a.txt"), error);
  ASSERT_FALSE(error);
  std::filesystem::remove(journal);
  RenameJournal forged(journal);
  ASSERT_FALSE(forged.Write({RenameJournal::Kind::kRename, dir.path(), testing::Native("01 a.txt"),
                             NativeString(300, NativeChar{'x'}), entry, platform::CurrentTime()}));
}
#endif

struct UndoSaysWhatItDidAndWhyItLeftAnEntryAloneCase {
  const char* label;
  void (*meddle)(const TempDir&, const std::filesystem::path& journal);
  int status;
  std::string message;  // what it says, up to the system's reason where one follows
};
const UndoSaysWhatItDidAndWhyItLeftAnEntryAloneCase
    kUndoSaysWhatItDidAndWhyItLeftAnEntryAloneRows[] = {
        {"renamed file gone",
         [](const TempDir& d, const auto&) { std::filesystem::remove(d / "a.txt"); }, kExitFailure,
         "qomdex-cli: cannot put back a.txt: "},
        {"another file in its place",
         [](const TempDir& d, const auto&) {
           std::filesystem::remove(d / "a.txt");
           d.Touch("a.txt", "theirs, and longer");
         },
         kExitFailure, "qomdex-cli: left a.txt alone: it is not the entry that was renamed\n"},
#ifndef _WIN32  // Under wine a file's creation time moves when it is written to.
        {"renamed file written to since",
         [](const TempDir& d, const auto&) { std::ofstream(d / "a.txt", std::ios::app) << "tag"; },
         kExitSuccess, ""},
#endif
        {"undone already",
         [](const TempDir&, const std::filesystem::path& journal) {
           ASSERT_EQ(RunCli({"--undo", Utf8(journal)}).status, kExitSuccess);
         },
         kExitSuccess, "qomdex-cli: every entry already has its old name\n"},
#ifndef _WIN32  // The system's own words for it.
        {"new name cannot be looked up", NameTooLongToLookUp, kExitFailure,
         "qomdex-cli: cannot put back " + std::string(300, 'x') + ": File name too long\n"},
#endif
};

class UndoSaysWhatItDidAndWhyItLeftAnEntryAlone
    : public ::testing::TestWithParam<UndoSaysWhatItDidAndWhyItLeftAnEntryAloneCase> {};

TEST_P(UndoSaysWhatItDidAndWhyItLeftAnEntryAlone, Holds) {
  const UndoSaysWhatItDidAndWhyItLeftAnEntryAloneCase& c = GetParam();
  TempDir dir, journal_dir;
  dir.Touch("01 a.txt");
  ASSERT_EQ(RunCli({"--journal", Utf8(journal_dir / "j"), Utf8(dir.path())}).status, kExitSuccess);
  c.meddle(dir, journal_dir / "j");
  const Result undo = RunCli({"--undo", Utf8(journal_dir / "j")});
  EXPECT_EQ(undo.status, c.status);
  EXPECT_EQ(c.message.ends_with(": ") ? undo.err.substr(0, c.message.size()) : undo.err, c.message);
}

INSTANTIATE_TEST_SUITE_P(CliTest, UndoSaysWhatItDidAndWhyItLeftAnEntryAlone,
                         ::testing::ValuesIn(kUndoSaysWhatItDidAndWhyItLeftAnEntryAloneRows),
                         testing::kByLabel);

TEST(CliTest, UndoStoppedBySignalSaysHowFarItGotAndIsFinishedByTheNext) {
  TempDir dir, journal_dir;
  for (const char* name : {"01 a", "02 b"}) dir.Touch(name);
  ASSERT_EQ(RunCli({"--journal", Utf8(journal_dir / "j"), Utf8(dir.path())}).status, kExitSuccess);
  std::atomic<int> stop_signal{SIGTERM};
  std::ostringstream out, err;
  const int status = cli::Run({"--undo", Utf8(journal_dir / "j")}, out, err,
                              {.stop_signal = &stop_signal, .terminal_columns = {}});
  EXPECT_EQ(status, 128 + SIGTERM);
  EXPECT_EQ(err.str(), "qomdex-cli: stopped by signal " + std::to_string(SIGTERM) +
                           "; 0 entries were put back; undo the same journal again to put back "
                           "the rest\n");
  EXPECT_EQ(dir.Names(), (Names{"a", "b"}));
  EXPECT_EQ(RunCli({"--undo", Utf8(journal_dir / "j")}).status, kExitSuccess);
  EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b"}));
}

TEST(CliTest, CopyCountCarriesOnAcrossDirectoriesInOrder) {
  TempDir first, second;
  first.Touch("01 a.txt");
  first.Touch("a.txt");
  second.Touch("01 b.txt");
  second.Touch("b.txt");
  const Result result = RunCli({Utf8(first.path()), Utf8(second.path())});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(second.Names(), (Names{"b copy ( 3).txt", "b.txt"}));
  EXPECT_NE(result.out.find(QuoteName(first.path()) + ":\n'01 a.txt' -> 'a copy ( 1).txt'\n"),
            std::string::npos)
      << result.out;
}

TEST(CliTest, RefusedRenameIsReportedAndTheRestGoesOn) {
  TempDir dir;
  for (const char* name : {"01 a.txt", "a.txt", "a copy ( 1).txt", "02 b.txt"}) dir.Touch(name);
  const Result result = RunCli({Utf8(dir.path())});
  EXPECT_EQ(result.status, kExitFailure);
  // The reason is the system's own words, which differ between systems.
  EXPECT_TRUE(result.err.starts_with("qomdex-cli: cannot rename '01 a.txt' to 'a copy ( 1).txt': "))
      << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_EQ(result.out, "'02 b.txt' -> b.txt\n");
  EXPECT_EQ(dir.Read("a copy ( 1).txt"), "a copy ( 1).txt");
  EXPECT_EQ(dir.Read("01 a.txt"), "01 a.txt");
}

TEST(CliTest, UnreadableDirectoryIsReportedAndTheOthersAreStillTreated) {
  TempDir dir;
  dir.Touch("01 a");
  const std::filesystem::path missing = dir / "missing";
  const Result result = RunCli({Utf8(missing), Utf8(dir.path())});
  EXPECT_EQ(result.status, kExitUsageOrUnreadable);
  EXPECT_NE(result.err.find("cannot read directory " + QuoteName(missing) + ": "),
            std::string::npos)
      << result.err;
  EXPECT_EQ(dir.Names(), Names{"a"});
}

TEST(CliTest, KeptEntriesAreNotedWithoutFailing) {
  TempDir dir;
#ifdef _WIN32  // A leading dot hides nothing on Windows: there '99.txt' becomes '.txt'.
  dir.Touch("01 CON.txt");
  const char* const noted =
      "qomdex-cli: kept '01 CON.txt': its new name is a Windows device name\n";
#else  // No name is a device on POSIX.
  dir.Touch("99.txt");
  const char* const noted = "qomdex-cli: kept 99.txt: its new name would hide it\n";
#endif
  const Result result = RunCli({Utf8(dir.path())});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, noted);
}

// An expected text that ends in "..." must only start the output; any other must be all of it.
const auto matches = [](const std::string& output, std::string_view expected) {
  return expected.ends_with("...") ? output.starts_with(expected.substr(0, expected.size() - 3))
                                   : output == expected;
};
struct UsageHelpAndVersionCase {
  const char* label;
  std::vector<std::string> args;
  int status;
  const char* out;
  const char* err;
};
const UsageHelpAndVersionCase kUsageHelpAndVersionRows[] = {
    {"version", {"--version"}, kExitSuccess, "qomdex-cli 1.00\n", ""},
    {"help", {"--help"}, kExitSuccess, "Usage: qomdex-cli...", ""},
    {"nothing", {}, kExitUsageOrUnreadable, "", "qomdex-cli: no DIRECTORY given..."},
    {"no directory",
     {"--dry-run"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: no DIRECTORY given..."},
    {"unknown option",
     {"--bogus", "/"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: unknown option --bogus..."},
    {"value for an option that takes none",
     {"--dry-run=1", "/"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: option --dry-run takes no value..."},
    {"journal given twice",
     {"--journal", "a", "--journal=b", "/"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: option --journal is given more than once..."},
    {"journal without its file",
     {"/", "--journal"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: option --journal needs a FILE..."},
    {"journal and dry run",
     {"--journal=j", "-n", "/"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: --journal cannot be combined with --dry-run..."},
    {"undo with a directory",
     {"--undo", "j", "/"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: --undo takes no DIRECTORY..."},
    {"undo and folders",
     {"--undo", "j", "--folders"},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: --undo cannot be combined with --folders..."},
    {"journal that exists",
     {"--journal", ".", "."},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: cannot create the journal .: File exists\n"},
    {"undo from a folder",
     {"--undo", "."},
     kExitUsageOrUnreadable,
     "",
     "qomdex-cli: cannot read the journal ...."},
};

class UsageHelpAndVersion : public ::testing::TestWithParam<UsageHelpAndVersionCase> {};

TEST_P(UsageHelpAndVersion, Holds) {
  const UsageHelpAndVersionCase& c = GetParam();
  const Result result = RunCli(c.args);
  EXPECT_EQ(result.status, c.status);
  EXPECT_TRUE(matches(result.out, c.out)) << result.out;
  EXPECT_TRUE(matches(result.err, c.err)) << result.err;
}

INSTANTIATE_TEST_SUITE_P(CliTest, UsageHelpAndVersion,
                         ::testing::ValuesIn(kUsageHelpAndVersionRows), testing::kByLabel);

// Stands for standard output; fails every write when `fail` is set, as a full disk does.
class ScriptedOutput : public std::streambuf {
 public:
  bool fail = false;
  std::string written;

 protected:
  int overflow(int c) override {
    if (fail) {
      errno = ENOSPC;
      return traits_type::eof();
    }
    written.push_back(static_cast<char>(c));
    return c;
  }
};

// A run that ends early says why, with the status of the rule, and every rename it made is on
// disk. (A signal mid-pass, a closed pipe and a full device are tried on the real program by
// early_end_test.sh.)
struct EarlyEndsAreReportedCase {
  const char* label;
  int signal_at_start;
  bool output_fails;
  int status;
  std::size_t renamed;
  const char* err;
};
const EarlyEndsAreReportedCase kEarlyEndsAreReportedRows[] = {
    {"a signal before the first entry", SIGTERM, false, 128 + SIGTERM, 0, "stopped by signal"},
    {"the output fails", 0, true, kExitFailure, 4,
     "cannot write the output: No space left on device; 4 renames were made whose lines were "
     "lost"},
};

class EarlyEndsAreReported : public ::testing::TestWithParam<EarlyEndsAreReportedCase> {};

TEST_P(EarlyEndsAreReported, Holds) {
  const EarlyEndsAreReportedCase& c = GetParam();
  TempDir dir;
  for (const char* name : {"01 a", "02 b", "03 c", "04 d"}) dir.Touch(name);
  std::atomic<int> stop_signal{c.signal_at_start};
  ScriptedOutput buffer;
  buffer.fail = c.output_fails;
  std::ostream out(&buffer);
  std::ostringstream err;
  const int status =
      cli::Run({Utf8(dir.path())}, out, err, {.stop_signal = &stop_signal, .terminal_columns = {}});
  EXPECT_EQ(status, c.status);
  const Names names = dir.Names();
  const auto renamed = static_cast<std::size_t>(
      std::count_if(names.begin(), names.end(), [](const std::string& n) { return n[0] != '0'; }));
  EXPECT_EQ(renamed, c.renamed);
  EXPECT_EQ(buffer.written, "");
  EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(CliTest, EarlyEndsAreReported,
                         ::testing::ValuesIn(kEarlyEndsAreReportedRows), testing::kByLabel);

TEST(CliTest, DoubleDashEndsOptions) {
  TempDir dir;
  dir.MakeDir("--folders");
  dir.Touch("--folders/01 a");
  const Result result = RunCli({"--", Utf8(dir / "--folders")});
  EXPECT_EQ(result.status, kExitSuccess);
  EXPECT_EQ(result.out, "'01 a' -> a\n");
}

}  // namespace
}  // namespace qomdex::cli
