// What the file system can do to a pass while it runs: another program taking a name, entries
// and directories vanishing, names that are too long, immutable entries, links. None of it may
// cost a file or end the pass.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <functional>

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "location/location_lists.h"
#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::TempDir;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

PassReport FilePassObserved(const TempDir& dir, std::function<bool(std::size_t)> callback) {
  testing::CallbackObserver observer(std::move(callback));
  PassState state;
  return testing::RunFilePass(state, dir.path(), {.observer = &observer});
}

struct StopCase {
  const char* label;
  std::size_t stop_after;
};

class StoppedPassTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(StoppedPassTest, LeavesExactlyTheFirstEntriesRenamed) {
  const char* before[] = {"01 a", "02 b", "03 c", "04 d", "05 e"};
  const char* after[] = {"a", "b", "c", "d", "e"};
  const std::size_t stop_after = GetParam().stop_after;
  TempDir dir;
  for (const char* name : before) dir.Touch(name);
  const PassReport report =
      FilePassObserved(dir, [&](std::size_t done) { return done < stop_after; });
  EXPECT_EQ(report.renamed.size(), stop_after);
  EXPECT_EQ(report.stopped, stop_after < 5);
  Names expected;
  for (std::size_t i = 0; i < 5; ++i) expected.insert(i < stop_after ? after[i] : before[i]);
  EXPECT_EQ(dir.Names(), expected);
}

const StopCase kStops[] = {{"after the first", 1}, {"after the third", 3}, {"after the last", 5}};
INSTANTIATE_TEST_SUITE_P(Stops, StoppedPassTest, ::testing::ValuesIn(kStops), testing::kByLabel);

TEST(PassFaultsTest, NameTakenByAnotherProgramMidPassIsRefusedNotReplaced) {
  TempDir dir;
  for (const char* name : {"01 a", "02 b", "03 c"}) dir.Touch(name);
  const PassReport report = FilePassObserved(dir, [&](std::size_t done) {
    if (done == 1) dir.Touch("b", "written by someone else");
    return true;
  });
  EXPECT_EQ(dir.Names(), (Names{"a", "02 b", "b", "c"}));
  EXPECT_EQ(dir.Read("b"), "written by someone else");
  EXPECT_EQ(dir.Read("02 b"), "02 b");
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].error, std::errc::file_exists);
}

TEST(PassFaultsTest, DirectoryRemovedMidPassIsReportedForEveryLaterEntry) {
  TempDir parent;
  parent.MakeDir("d");
  for (const char* name : {"d/01 a", "d/02 b", "d/03 c"}) parent.Touch(name);
  testing::CallbackObserver observer([&](std::size_t done) {
    if (done == 1) fs::remove_all(parent / "d");
    return true;
  });
  PassState state;
  const PassReport report = testing::RunFilePass(state, parent / "d", {.observer = &observer});
  EXPECT_EQ(report.renamed.size(), 1u);
  ASSERT_EQ(report.failures.size(), 2u);  // the two entries that vanished
  EXPECT_EQ(report.failures[1].path, parent / "d" / "03 c");
  EXPECT_EQ(report.failures[1].target, parent / "d" / "c");
  for (const auto& failure : report.failures) {
    EXPECT_EQ(failure.error, std::errc::no_such_file_or_directory);
  }
}

TEST(PassFaultsTest, DirectoryMovedMidPassIsStillTheOneTreated) {
  TempDir parent;
  parent.MakeDir("d");
  for (const char* name : {"d/01 a", "d/02 b", "d/03 c"}) parent.Touch(name);
  testing::CallbackObserver observer([&](std::size_t done) {
    if (done == 1) fs::rename(parent / "d", parent / "moved");
    return true;
  });
  PassState state;
  LocationLists lists(Fold);
  lists.OpenDirectory(parent / "d");
  const PassReport report =
      FileRoutine(state, lists.File1(), lists.File2(), {.observer = &observer});
  EXPECT_EQ(testing::RenamedTo(report), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(parent.Read("moved/c"), "d/03 c");
  // Only the window's list, re-read by its path at the end, finds the directory gone from there.
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].kind, PassReport::FailureKind::kUnreadableDirectory);
}

TEST(PassFaultsTest, DirectoryDeeperThanOnePathIsTreated) {
  TempDir dir;
  const std::string component(200, 'd');
  fs::path deep = dir.path();
  int fd = open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
  while (deep.native().size() <= PATH_MAX + 200) {
    ASSERT_EQ(mkdirat(fd, component.c_str(), 0700), 0);
    const int next = openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
    deep /= component;
  }
  close(openat(fd, "01 a.txt", O_WRONLY | O_CREAT | O_EXCL, 0600));

  PassState state;
  const PassReport report = testing::RunFilePass(state, deep);
  EXPECT_TRUE(report.failures.empty());
  EXPECT_EQ(testing::RenamedTo(report), std::vector<std::string>{"a.txt"});
  struct stat renamed {};
  EXPECT_EQ(fstatat(fd, "a.txt", &renamed, 0), 0);
  close(fd);
}

TEST(PassFaultsTest, NameTooLongIsReportedAndThePassGoesOn) {
  TempDir dir;
  const std::string long_name(250, 'a');
  dir.Touch(long_name);
  dir.Touch("01 " + long_name);
  dir.Touch("02 b");
  PassState state;
  const PassReport report = testing::RunFilePass(state, dir.path());
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].error, std::errc::filename_too_long);
  EXPECT_EQ(testing::RenamedTo(report), std::vector<std::string>{"b"});
}

// Sets or clears the immutable flag; false where the file system or the user cannot.
bool SetImmutable(const fs::path& path, bool immutable) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  close(fd);
  return done;
}

TEST(PassFaultsTest, ImmutableEntryIsReportedAndThePassGoesOn) {
  TempDir dir;
  for (const char* name : {"01 a", "02 b", "03 c"}) dir.Touch(name);
  if (!SetImmutable(dir / "02 b", true)) GTEST_SKIP() << "immutable flag not available here";
  PassState state;
  const PassReport report = testing::RunFilePass(state, dir.path());
  SetImmutable(dir / "02 b", false);
  EXPECT_EQ(dir.Names(), (Names{"a", "02 b", "c"}));
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].error, std::errc::operation_not_permitted);
}

TEST(PassFaultsTest, LinksAreRenamedAsLinksAndNeverFollowed) {
  TempDir dir;
  dir.MakeDir("target folder");
  dir.Touch("target folder/01 inside");
  dir.Touch("target file", "content");
  fs::create_symlink("target file", dir / "01 file link");
  fs::create_directory_symlink("target folder", dir / "02 folder link");

  PassState state;
  const PassReport files = testing::RunFilePass(state, dir.path());
  EXPECT_EQ(testing::RenamedTo(files), std::vector<std::string>{"file link"});
  const PassReport folders = testing::RunFolderPass(state, dir.path());
  EXPECT_EQ(testing::RenamedTo(folders), std::vector<std::string>{"folder link"});

  EXPECT_EQ(fs::read_symlink(dir / "file link"), "target file");
  EXPECT_EQ(fs::read_symlink(dir / "folder link"), "target folder");
  EXPECT_EQ(dir.Read("target file"), "content");
  EXPECT_TRUE(fs::exists(dir / "target folder/01 inside")) << "a pass never walks into a link";
}

}  // namespace
}  // namespace qomdex
