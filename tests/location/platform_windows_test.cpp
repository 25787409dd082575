// The Windows rules of the location model: drive letters and backslashes, hiding by attribute,
// MoveFileExW's refusals, names that end in dots or spaces, and paths past 260 characters.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>

#include "location/join_path.h"
#include "location/location_lists.h"
#include "location/platform.h"
#include "tests/support/rename_or_fail.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::RenameOrFail;
using testing::TempDir;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

std::u16string Key(const NativeString& name) { return {name.begin(), name.end()}; }

TEST(JoinPathWindowsTest, BackslashesAndDriveRoots) {
  const struct {
    const wchar_t* directory;
    const wchar_t* name;
    const wchar_t* joined;
  } cases[] = {
      {LR"(c:\)", L"a.txt", LR"(c:\a.txt)"},
      {LR"(c:\music)", L"a.txt", LR"(c:\music\a.txt)"},
      {LR"(c:\music\)", L"a.txt", LR"(c:\music\a.txt)"},
      {L"c:/music/", L"a.txt", L"c:/music/a.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JoinPath(c.directory, c.name).native(), c.joined) << c.joined;

  EXPECT_EQ(NormalizeDirectoryPath(LR"(c:\)").native(), LR"(c:\)");
  EXPECT_EQ(NormalizeDirectoryPath(L"c:/a/./b/../c/").native(), LR"(c:\a\c)");
  EXPECT_EQ(NormalizeDirectoryPath(L"//server/share/music/").native(), LR"(\\server\share\music)");
  EXPECT_EQ(NormalizeDirectoryPath(LR"(\\?\c:\music)").native(), LR"(\\?\c:\music)");
  EXPECT_EQ(LastComponent(LR"(c:\music\01 Rock)"), L"01 Rock");
  EXPECT_EQ(LastComponent(L"c:/music/01 Rock"), L"01 Rock");
}

TEST(LocationListsWindowsTest, DriveRootIsDir1sPathWithItsBackslash) {
  LocationLists lists(Key);
  lists.Load();
  const fs::path root = LR"(c:\)";
  EXPECT_EQ(lists.Dir1().path(), root);
  EXPECT_EQ(lists.File2().path(), root);
  ASSERT_GT(lists.Dir1().count(), 0u);
  for (std::size_t i = 0; i < lists.Dir1().count(); ++i) {
    EXPECT_EQ(lists.Dir1().entry(i).native(), root.native() + lists.Dir1().name(i));
  }
  const auto drives = platform::ListDrives();
  EXPECT_TRUE(std::all_of(drives.begin(), drives.end(), [](const fs::path& drive) {
    return drive.native().size() == 3 && drive.native().substr(1) == LR"(:\)";
  }));
}

TEST(ReadDirectoryWindowsTest, HiddenAndSystemEntriesAreLeftOutButADotHidesNothing) {
  TempDir dir;
  for (const char* name : {"shown", ".dotted", "hidden", "system"}) dir.Touch(name);
  dir.MakeDir("folder");
  dir.MakeDir("hidden folder");
  ASSERT_TRUE(SetFileAttributesW((dir / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW((dir / "system").c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SetFileAttributesW((dir / "hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN));

  auto entries = platform::SystemCalls::Native().ReadDirectory(platform::Directory(dir.path()));
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  std::vector<std::pair<NativeString, bool>> seen;
  for (const auto& entry : entries) seen.emplace_back(entry.name, entry.is_directory);
  EXPECT_EQ(seen, (std::vector<std::pair<NativeString, bool>>{
                      {L".dotted", false}, {L"folder", true}, {L"shown", false}}));
}

struct RefusalsLeaveBothEntriesAsTheyWereCase {
  const char* label;
  const char* target;
  std::error_condition error;
};
const RefusalsLeaveBothEntriesAsTheyWereCase kRefusalsLeaveBothEntriesAsTheyWereRows[] = {
    {"taken in another case", "TAKEN.TXT", std::errc::file_exists},
    {"taken once the ending dots are dropped", "taken.txt..", std::errc::file_exists},
    {"taken once the ending spaces are dropped", "taken.txt  ", std::errc::file_exists},
    {"nothing left once the ending dots are dropped",
     "...",
     {ERROR_INVALID_NAME, std::system_category()}},
};

class RefusalsLeaveBothEntriesAsTheyWere
    : public ::testing::TestWithParam<RefusalsLeaveBothEntriesAsTheyWereCase> {};

TEST_P(RefusalsLeaveBothEntriesAsTheyWere, Holds) {
  const RefusalsLeaveBothEntriesAsTheyWereCase& c = GetParam();
  TempDir dir;
  dir.Touch("01 taken.txt");
  dir.Touch("taken.txt");
  std::error_code error;
  testing::RenameWithin(dir / "01 taken.txt", dir / c.target, error);
  EXPECT_EQ(error, c.error) << error.message();
  EXPECT_EQ(dir.Names(), (Names{"01 taken.txt", "taken.txt"}));
  EXPECT_EQ(dir.Read("taken.txt"), "taken.txt");
}

INSTANTIATE_TEST_SUITE_P(RenameWindowsTest, RefusalsLeaveBothEntriesAsTheyWere,
                         ::testing::ValuesIn(kRefusalsLeaveBothEntriesAsTheyWereRows),
                         testing::kByLabel);

TEST(RenameWindowsTest, NamesLoseTheirEndingDotsAndSpacesLikeEveryWindowsProgramMakesThem) {
  TempDir dir;
  dir.Touch("01 README");
  dir.MakeDir("01 Rock");
  RenameOrFail(dir / "01 README", dir / "README copy ( 1).");
  RenameOrFail(dir / "01 Rock", dir / "Rock . ");
  EXPECT_EQ(dir.Names(), (Names{"README copy ( 1)", "Rock"}));
  EXPECT_EQ(dir.Read("README copy ( 1)"), "01 README");
}

TEST(RenameWindowsTest, EntriesWhoseNamesEndInADotOrASpaceAreListedAndRenamed) {
  TempDir dir;
  // Only the extended form makes such names, as other systems do.
  std::ofstream(fs::path(LR"(\\?\)" + (dir / "01 a.").native())) << "dot";
  fs::create_directory(LR"(\\?\)" + (dir / "01 b ").native());

  std::vector<NativeString> names;
  for (const auto& entry :
       platform::SystemCalls::Native().ReadDirectory(platform::Directory(dir.path())))
    names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<NativeString>{L"01 a.", L"01 b "}));
  RenameOrFail(dir / "01 a.", dir / "a");
  RenameOrFail(dir / "01 b ", dir / "b");
  EXPECT_EQ(dir.Names(), (Names{"a", "b"}));
  EXPECT_EQ(dir.Read("a"), "dot");
}

TEST(RenameWindowsTest, PathsPastTheOldLimitAreListedAndRenamed) {
  TempDir dir;
  fs::path deep = dir.path();
  for (const wchar_t letter : {L'a', L'b', L'c'}) {
    deep /= std::wstring(100, letter);
    // The extended form, as the standard library's own calls stop at 260 characters.
    fs::create_directory(LR"(\\?\)" + deep.native());
  }
  ASSERT_GT(deep.native().size(), 300u);
  fs::path extended_deep = LR"(\\?\)" + deep.native();
  std::ofstream(extended_deep / L"01 a.txt") << "payload";

  LocationLists lists(Key);
  lists.OpenDirectory(deep);
  ASSERT_EQ(lists.File1().count(), 1u);
  RenameOrFail(JoinPath(deep, lists.File1().name(0)), JoinPath(deep, L"a.txt"));
  lists.File1().Refresh();
  EXPECT_EQ(lists.File1().name(0), L"a.txt");
  EXPECT_FALSE(fs::exists(extended_deep / L"01 a.txt"));
}

}  // namespace
}  // namespace qomdex
