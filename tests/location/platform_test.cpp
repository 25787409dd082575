#include "location/platform.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "location/location_lists.h"
#include "tests/support/rename_or_fail.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::RenameOrFail;
using testing::TempDir;
namespace fs = std::filesystem;

// Each case lays out a source and an existing target, then checks the rename is refused and
// nothing changed; plain rename() would replace the file, the empty folder or the link.
struct RefusalCase {
  const char* label;
  void (*make_source)(const TempDir&);
  void (*make_target)(const TempDir&);
};

void File(const TempDir& dir, const char* name) { dir.Touch(name); }

const RefusalCase kNeverReplacesAnExistingEntryRows[] = {
    {"file onto file", [](auto& d) { File(d, "from"); }, [](auto& d) { File(d, "to"); }},
    {"file onto empty folder", [](auto& d) { File(d, "from"); }, [](auto& d) { d.MakeDir("to"); }},
    {"folder onto empty folder", [](auto& d) { d.MakeDir("from"); },
     [](auto& d) { d.MakeDir("to"); }},
    {"folder onto file", [](auto& d) { d.MakeDir("from"); }, [](auto& d) { File(d, "to"); }},
#ifndef _WIN32  // Windows grants links to privileged accounts only.
    {"file onto dangling link", [](auto& d) { File(d, "from"); },
     [](auto& d) { fs::create_symlink(d / "nowhere", d / "to"); }},
#endif
};

class NeverReplacesAnExistingEntry : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(NeverReplacesAnExistingEntry, Holds) {
  const RefusalCase& c = GetParam();
  TempDir dir;
  c.make_source(dir);
  c.make_target(dir);
  const auto source_type = fs::symlink_status(dir / "from").type();
  const auto target_type = fs::symlink_status(dir / "to").type();
  std::error_code error;
  EXPECT_EQ(testing::RenameWithin(dir / "from", dir / "to", error), NativeString());
  EXPECT_EQ(error, std::errc::file_exists);
  EXPECT_EQ(fs::symlink_status(dir / "from").type(), source_type);
  EXPECT_EQ(fs::symlink_status(dir / "to").type(), target_type);
  if (target_type == fs::file_type::regular) {
    EXPECT_EQ(dir.Read("to"), "to");
  }
}

INSTANTIATE_TEST_SUITE_P(RenameTest, NeverReplacesAnExistingEntry,
                         ::testing::ValuesIn(kNeverReplacesAnExistingEntryRows), testing::kByLabel);

TEST(RenameTest, MovesTheEntryWithItsContent) {
  TempDir dir;
  dir.Touch("01 a.txt", "payload");
  dir.MakeDir("01 folder");
  dir.Touch("01 folder/inside");

  RenameOrFail(dir / "01 a.txt", dir / "a.txt");
  RenameOrFail(dir / "01 folder", dir / "folder");

  EXPECT_EQ(dir.Names(), (std::set<std::string>{"a.txt", "folder"}));
  EXPECT_EQ(dir.Read("a.txt"), "payload");
  EXPECT_EQ(dir.Read("folder/inside"), "01 folder/inside");
}

#ifndef _WIN32  // Windows grants links to privileged accounts only.
TEST(RenameTest, MovesALinkItselfNotItsTarget) {
  TempDir dir;
  dir.Touch("01 a.txt");
  fs::create_symlink("01 a.txt", dir / "01 link");
  RenameOrFail(dir / "01 link", dir / "link");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"01 a.txt", "link"}));
  // The link was not followed, so it still names its old target.
  EXPECT_EQ(fs::read_symlink(dir / "link"), "01 a.txt");
}
#endif

TEST(RenameTest, MissingSourceIsReportedWithTheSystemsReason) {
  TempDir dir;
  std::error_code error;
  testing::RenameWithin(dir / "gone", dir / "new", error);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

#ifndef _WIN32  // Windows hides by attribute, and grants links to privileged accounts only.
TEST(ReadDirectoryTest, ShowsWhatAFileManagerShowsAndClassifiesLinksByTarget) {
  TempDir dir;
  dir.Touch("file");
  dir.Touch(".hidden");
  dir.MakeDir("folder");
  dir.MakeDir(".hidden folder");
  fs::create_directory_symlink(dir / "folder", dir / "folder link");
  fs::create_symlink(dir / "file", dir / "file link");
  fs::create_symlink(dir / "nowhere", dir / "dangling link");

  auto entries = platform::SystemCalls::Native().ReadDirectory(platform::Directory(dir.path()));
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  std::vector<std::pair<std::string, bool>> seen;
  for (const auto& entry : entries) seen.emplace_back(entry.name, entry.is_directory);
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{{"dangling link", false},
                                                             {"file", false},
                                                             {"file link", false},
                                                             {"folder", true},
                                                             {"folder link", true}}));
}
#endif

#ifndef _WIN32  // Windows resolves ".." in the text of a path before the system sees it.
TEST(ReadDirectoryTest, DotDotAfterALinkIsTheLinkTargetsParent) {
  TempDir dir;
  for (const char* folder : {"lx", "other", "other/sub"}) dir.MakeDir(folder);
  dir.Touch("lx/in lx");
  dir.Touch("other/in other");
  fs::create_directory_symlink("../other/sub", dir / "lx/link");

  LocationLists lists(
      [](const NativeString& name) { return std::u16string(name.begin(), name.end()); });
  lists.OpenDirectory(dir / "lx/link/..");
  ASSERT_EQ(lists.File1().count(), 1u);
  EXPECT_EQ(lists.File1().name(0), "in other");
  ASSERT_EQ(lists.Dir1().count(), 1u);
  EXPECT_EQ(lists.Dir1().name(0), "sub");
}
#endif

TEST(ReadDirectoryTest, UnreadableDirectoryThrowsWithItsPath) {
  TempDir dir;
  dir.Touch("plain file");
  for (const fs::path& path : {dir / "missing", dir / "plain file"}) {
    try {
      platform::SystemCalls::Native().ReadDirectory(platform::Directory(path));
      ADD_FAILURE() << path << " was read";
    } catch (const fs::filesystem_error& error) {
      EXPECT_EQ(error.path1(), path);
      EXPECT_TRUE(error.code());
    }
  }
}

TEST(DrivesTest, SystemVolumeComesFirstAndOnlyOnce) {
  const auto drives = platform::ListDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), platform::StartLocation());
  EXPECT_EQ(std::count(drives.begin(), drives.end(), platform::StartLocation()), 1);
}

}  // namespace
}  // namespace qomdex
