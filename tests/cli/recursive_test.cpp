// --recursive against the plain run it must equal: treating the same folders one by one, in the
// walk's order, as DIRECTORY arguments of one run.

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "present/quoting.h"
#include "tests/support/failing_calls.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex::cli {
namespace {

namespace fs = std::filesystem;
using present::QuoteName;
using testing::TempDir;
using testing::Utf8;
using Names = std::set<std::string>;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(const std::vector<std::string>& args, std::streambuf* err_buffer = nullptr,
              const std::atomic<int>* stop_signal = nullptr,
              platform::SystemCalls* calls = nullptr) {
  std::ostringstream out, err;
  std::ostream err_stream(err_buffer != nullptr ? err_buffer : err.rdbuf());
  const int status =
      Run(args, out, err_stream,
          {.stop_signal = stop_signal, .terminal_columns = {}, .system_calls = calls});
  return {status, out.str(), err.str()};
}

// A library with copy names to give in several folders, so that the copy numbers show the order
// the folders were treated in, and folders to rename at three depths.
void MakeLibrary(const TempDir& dir) {
  for (const char* folder :
       {"apple", "apple/02 Disc", "apple/Disc", "Banana", "03 cherry", "03 cherry/05. Deep"}) {
    dir.MakeDir(folder);
  }
  for (const char* file :
       {"01 a.txt", "a.txt", "apple/01 a.txt", "apple/a.txt", "apple/02 Disc/01 t.mp3",
        "apple/02 Disc/t.mp3", "Banana/03 b.txt", "03 cherry/04 c.txt",
        "03 cherry/05. Deep/01 d.txt", "03 cherry/05. Deep/d.txt"}) {
    dir.Touch(file);
  }
#ifndef _WIN32  // Windows hides by attribute, and grants links to privileged accounts only.
  dir.MakeDir(".hidden");
  dir.MakeDir(".hidden/01 Sub");
  dir.Touch(".hidden/01 h.txt");
  fs::create_directory_symlink("apple", dir / "06 link");
#endif
}

// Every entry below the directory, by path, with a file's content and a link's target.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string path = Utf8(entry.path().lexically_relative(root).native());
    if (entry.is_symlink()) {
      tree[path] = "-> " + Utf8(fs::read_symlink(entry.path()).native());
    } else if (entry.is_directory()) {
      tree[path] = "/";
    } else {
      std::ifstream file(entry.path(), std::ios::binary);
      tree[path] = {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
  }
  return tree;
}

// The folder at a '/'-separated path below the directory, spelled as the walk spells it.
fs::path Below(const TempDir& dir, const std::string& relative) {
  fs::path path = dir.path();
  std::istringstream names(relative);
  for (std::string name; std::getline(names, name, '/');) {
    if (name != ".") path /= testing::Native(name);
  }
  return path;
}

// Drops the "DIRECTORY:" lines that no line follows; the walk writes only the others.
std::string WithoutEmptySections(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::string kept;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto is_header = [&](std::size_t at) {
      return lines[at].find(" -> ") == std::string::npos;
    };
    if (is_header(i) && (i + 1 == lines.size() || is_header(i + 1))) continue;
    kept += lines[i] + '\n';
  }
  return kept;
}

// The "FOLDER:" line each rename's line of a run's output falls under, by that line as an undo
// prints it (`from_undo`) or as the walk printed it (then written the other way round).
std::map<std::string, std::string> FolderOfEachLine(const std::string& out, bool from_undo) {
  std::map<std::string, std::string> folders;
  std::istringstream in(out);
  std::string folder;
  for (std::string line; std::getline(in, line);) {
    const std::size_t arrow = line.find(" -> ");
    if (arrow == std::string::npos) {
      folder = line;
    } else {
      folders[from_undo ? line : line.substr(arrow + 4) + " -> " + line.substr(0, arrow)] = folder;
    }
  }
  return folders;
}

struct WalkCase {
  const char* name;
  std::vector<std::string> options;  // besides --recursive
  std::vector<std::string> order;    // the folders it must treat, in order
  // Given after the library itself, each of them a folder the walk will have treated.
  std::vector<std::string> repeated_roots = {};
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class RecursiveTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(RecursiveTest, EqualsThePlainRunOverTheFoldersInWalkOrder) {
  const WalkCase& c = GetParam();
  TempDir walked, plain, dry, journal_dir;
  for (const TempDir* dir : {&walked, &plain, &dry}) MakeLibrary(*dir);
  const auto original = Tree(dry.path());

  std::vector<std::string> walk_args = c.options;
  walk_args.insert(walk_args.end(), {"--recursive", Utf8(walked.path())});
  std::string notes;
  for (const std::string& root : c.repeated_roots) {
    walk_args.push_back(Utf8(Below(walked, root)));
    notes += "qomdex-cli: skipped " + QuoteName(Below(walked, root)) + ": it was treated already\n";
  }
  std::vector<std::string> plain_args;
  for (std::size_t i = 0; i < c.options.size(); ++i) {
    if (c.options[i] == "--max-depth") {
      ++i;
    } else if (!c.options[i].starts_with("--max-depth=")) {
      plain_args.push_back(c.options[i]);
    }
  }
  for (const std::string& folder : c.order) plain_args.push_back(Utf8(Below(plain, folder)));
  std::vector<std::string> dry_args = c.options;
  dry_args.insert(dry_args.end(), {"--dry-run", "--recursive", Utf8(dry.path())});
  for (const std::string& root : c.repeated_roots) dry_args.push_back(Utf8(Below(dry, root)));
  walk_args.insert(walk_args.begin(), {"--journal", Utf8(journal_dir / "j")});

  const Result dry_result = RunCli(dry_args);
  EXPECT_EQ(Tree(dry.path()), original) << "a dry run renames nothing";
  const Result walk_result = RunCli(walk_args);
  const Result plain_result = RunCli(plain_args);
  EXPECT_EQ(walk_result.status, kExitSuccess) << walk_result.err;
  EXPECT_EQ(walk_result.err, notes);
  EXPECT_EQ(plain_result.status, kExitSuccess) << plain_result.err;

  EXPECT_EQ(Tree(walked.path()), Tree(plain.path()));
  // A plain run names its directory only when it has several; a walk names each folder.
  std::string expected_out = c.order.size() > 1 || plain_result.out.empty()
                                 ? WithoutEmptySections(plain_result.out)
                                 : QuoteName(Below(plain, c.order[0])) + ":\n" + plain_result.out;
  const std::string plain_prefix = Utf8(plain.path().native());
  for (std::size_t at; (at = expected_out.find(plain_prefix)) != std::string::npos;) {
    expected_out.replace(at, plain_prefix.size(), Utf8(walked.path().native()));
  }
  EXPECT_EQ(walk_result.out, expected_out);
  std::string dry_out = dry_result.out;
  const std::string dry_prefix = Utf8(dry.path().native());
  for (std::size_t at; (at = dry_out.find(dry_prefix)) != std::string::npos;) {
    dry_out.replace(at, dry_prefix.size(), Utf8(walked.path().native()));
  }
  EXPECT_EQ(dry_out, walk_result.out) << "a dry run prints what the real run does";
  EXPECT_EQ(dry_result.status, walk_result.status);

  const Result undo = RunCli({"--undo", Utf8(journal_dir / "j")});
  EXPECT_EQ(undo.status, kExitSuccess) << undo.err;
  EXPECT_EQ(Tree(walked.path()), original) << "the journal of a walk undoes it";
  const std::map<std::string, std::string> walk_folders = FolderOfEachLine(walk_result.out, false);
  std::set<std::string> headers;
  for (const auto& [line, folder] : walk_folders) headers.insert(folder);
  if (headers.size() > 1) {
    EXPECT_EQ(FolderOfEachLine(undo.out, true), walk_folders) << "the undo's lines:\n" << undo.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Walks, RecursiveTest,
    ::testing::Values(
        WalkCase{"FilesDepthFirstInListOrder",
                 {},
                 {".", "03 cherry", "03 cherry/05. Deep", "apple", "apple/02 Disc", "apple/Disc",
                  "Banana"}},
        WalkCase{"FoldersDeepestFirst",
                 {"--folders"},
                 {"03 cherry/05. Deep", "03 cherry", "apple/02 Disc", "apple/Disc", "apple",
                  "Banana", "."}},
        WalkCase{"MaxDepthOne", {"--max-depth", "1"}, {".", "03 cherry", "apple", "Banana"}},
        WalkCase{"FoldersToMaxDepthOne",
                 {"--folders", "--max-depth=1"},
                 {"03 cherry", "apple", "Banana", "."}},
        WalkCase{"MaxDepthZero", {"--max-depth", "0"}, {"."}},
        WalkCase{"FolderBelowAnEarlierDirectoryIsTreatedOnce",
                 {},
                 {".", "03 cherry", "03 cherry/05. Deep", "apple", "apple/02 Disc", "apple/Disc",
                  "Banana"},
                 {"apple", "."}}),
    [](const auto& row) { return std::string(row.param.name); });

// Stands for the error stream; does something to the run the first time a message comes.
class ActingErrors : public std::streambuf {
 public:
  explicit ActingErrors(std::function<void()> act) : act_(std::move(act)) {}
  std::string written;

 protected:
  int overflow(int c) override {
    if (act_) std::exchange(act_, nullptr)();
    written.push_back(static_cast<char>(c));
    return c;
  }

 private:
  std::function<void()> act_;
};

// The first message comes from the top folder's pass, before the walk enters the folders below.
struct WhatHappensMidWalkIsReportedWithTheRuleStatusCase {
  const char* label;
  bool remove_gone;  // else a stop signal comes
  int status;
  const char* said;
  bool later_folder_treated;
};
const WhatHappensMidWalkIsReportedWithTheRuleStatusCase
    kWhatHappensMidWalkIsReportedWithTheRuleStatusRows[] = {
        {"a folder removed before the walk enters it", true, kExitUsageOrUnreadable,
         "cannot read directory ", true},
        {"a stop signal", false, 128 + SIGINT, "stopped by signal", false},
};

class WhatHappensMidWalkIsReportedWithTheRuleStatus
    : public ::testing::TestWithParam<WhatHappensMidWalkIsReportedWithTheRuleStatusCase> {};

TEST_P(WhatHappensMidWalkIsReportedWithTheRuleStatus, Holds) {
  const WhatHappensMidWalkIsReportedWithTheRuleStatusCase& c = GetParam();
  TempDir dir;
  // "01 a.txt" is refused its copy name, which is taken.
  for (const char* name : {"01 a.txt", "a.txt", "a copy ( 1).txt"}) dir.Touch(name);
  for (const char* name : {"gone", "kept"}) dir.MakeDir(name);
  dir.Touch("gone/01 g.txt");
  dir.Touch("kept/01 k.txt");
  std::atomic<int> stop_signal{0};
  ActingErrors err([&] {
    if (c.remove_gone) {
      fs::remove_all(dir / "gone");
    } else {
      stop_signal.store(SIGINT);
    }
  });
  const Result result = RunCli({"-r", Utf8(dir.path())}, &err, &stop_signal);
  EXPECT_EQ(result.status, c.status);
  EXPECT_NE(err.written.find(c.said), std::string::npos) << err.written;
  if (c.remove_gone) {
    EXPECT_NE(err.written.find("cannot read directory " + QuoteName(dir / "gone") + ": "),
              std::string::npos)
        << err.written;
  }
  EXPECT_EQ(fs::exists(dir / "kept/k.txt"), c.later_folder_treated);
  EXPECT_NE(fs::exists(dir / "kept/01 k.txt"), c.later_folder_treated);
}

INSTANTIATE_TEST_SUITE_P(RecursiveTest, WhatHappensMidWalkIsReportedWithTheRuleStatus,
                         ::testing::ValuesIn(kWhatHappensMidWalkIsReportedWithTheRuleStatusRows),
                         testing::kByLabel);

// Takes the folder "sub" away as the walk opens it, as another program could at that moment: a
// read error (a disk failing), or a link to a folder outside the tree put in its place.
class SeamCalls : public testing::FailingCalls {
 public:
  SeamCalls(bool swap, const fs::path& outside)
      : FailingCalls(Call::kReadDirectory, swap ? 0 : 2), swap_(swap), outside_(outside) {}
  platform::DirectoryHandle OpenFolder(const platform::Directory& parent,
                                       const NativeString& name) override {
    if (swap_ && name == testing::Native("sub")) {
      fs::rename(parent.path() / name, outside_ / "moved");
      fs::create_directory_symlink(outside_, parent.path() / name);
    }
    return FailingCalls::OpenFolder(parent, name);
  }

 private:
  bool swap_;
  fs::path outside_;
};

struct SeamCase {
  const char* name;
  bool swap;  // else the listing of "sub" fails
  int status;
  const char* said;  // the whole error stream, after the folder's quoted path
};

class WalkSeamTest : public ::testing::TestWithParam<SeamCase> {};

TEST_P(WalkSeamTest, NothingOutsideTheTreeIsTouchedAndTheWalkGoesOn) {
  const SeamCase& c = GetParam();
  TempDir dir, outside;
  for (const char* name : {"sub", "zed"}) dir.MakeDir(name);
  for (const char* name : {"01 a.txt", "sub/01 b.txt", "zed/01 c.txt"}) dir.Touch(name);
  outside.Touch("01 secret.txt");
  SeamCalls calls(c.swap, outside.path());

  const Result result = RunCli({"-r", Utf8(dir.path())}, nullptr, nullptr, &calls);

  EXPECT_EQ(result.status, c.status);
  EXPECT_EQ(result.err, c.said[0] == '\0' ? std::string()
                                          : "qomdex-cli: cannot read directory " +
                                                QuoteName(dir / "sub") + c.said + "\n");
  EXPECT_TRUE(fs::exists(dir / "a.txt"));
  EXPECT_TRUE(fs::exists(dir / "zed/c.txt"));
  const Names outside_after = c.swap ? Names{"01 secret.txt", "moved"} : Names{"01 secret.txt"};
  EXPECT_EQ(outside.Names(), outside_after);
  EXPECT_TRUE(fs::exists((c.swap ? outside / "moved" : dir / "sub") / "01 b.txt"));
}

const SeamCase kSeamCases[] = {
    {"FolderThatCannotBeReadIsReported", false, kExitUsageOrUnreadable, ": Input/output error"},
#ifndef _WIN32  // Windows grants links to privileged accounts only.
    {"FolderSwappedForALinkAsItIsOpenedIsNotEntered", true, kExitSuccess, ""},
#endif
};

INSTANTIATE_TEST_SUITE_P(Seam, WalkSeamTest, ::testing::ValuesIn(kSeamCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct DepthAndWalkOptionsThatCannotRunCase {
  const char* label;
  std::vector<std::string> args;
  const char* err;
};
const DepthAndWalkOptionsThatCannotRunCase kDepthAndWalkOptionsThatCannotRunRows[] = {
    {"depth without a walk",
     {"--max-depth", "1", "/"},
     "qomdex-cli: --max-depth needs --recursive\n"},
    {"negative depth",
     {"-r", "--max-depth", "-1", "/"},
     "qomdex-cli: option --max-depth needs a number, not -1\n"},
    {"depth that is no number",
     {"-r", "--max-depth=2x", "/"},
     "qomdex-cli: option --max-depth needs a number, not 2x\n"},
    {"depth without its number",
     {"-r", "/", "--max-depth"},
     "qomdex-cli: option --max-depth needs a number\n"},
    {"undo and a walk",
     {"--undo", "j", "-r"},
     "qomdex-cli: --undo cannot be combined with --recursive\n"},
};

class DepthAndWalkOptionsThatCannotRun
    : public ::testing::TestWithParam<DepthAndWalkOptionsThatCannotRunCase> {};

TEST_P(DepthAndWalkOptionsThatCannotRun, Holds) {
  const DepthAndWalkOptionsThatCannotRunCase& c = GetParam();
  const Result result = RunCli(c.args);
  EXPECT_EQ(result.status, kExitUsageOrUnreadable);
  EXPECT_TRUE(result.err.starts_with(c.err)) << result.err;
}

INSTANTIATE_TEST_SUITE_P(RecursiveTest, DepthAndWalkOptionsThatCannotRun,
                         ::testing::ValuesIn(kDepthAndWalkOptionsThatCannotRunRows),
                         testing::kByLabel);

}  // namespace
}  // namespace qomdex::cli
