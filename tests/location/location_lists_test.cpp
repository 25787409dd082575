#include "location/location_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "location/platform.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

std::u16string AsciiFold(const NativeString& name) {
  std::u16string key;
  for (NativeChar c : name)
    key.push_back(static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
  return key;
}

std::vector<std::string> Names(const EntryList& list) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.count(); ++i) names.push_back(testing::Utf8(list.name(i)));
  return names;
}

struct Where {
  fs::path drive, dir1, file1, dir2, file2;
  bool operator==(const Where&) const = default;
};

Where WhereAll(LocationLists& lists) {
  return {lists.Drive1().drive(), lists.Dir1().path(), lists.File1().path(), lists.Dir2().path(),
          lists.File2().path()};
}

TEST(EntryListTest, OrdersByFoldThenExactNameAndKeepsItsSnapshot) {
  TempDir dir;
  std::vector<std::string> sorted = {"a", "b", "C.txt", "_x"};
#ifndef _WIN32  // A tie in the fold needs names that differ only in case.
  sorted.insert(sorted.begin() + 1, "B");
#endif
  for (auto name = sorted.rbegin(); name != sorted.rend(); ++name) dir.Touch(*name);
  dir.MakeDir("sub");
  FileList files(AsciiFold);
  files.SetPath(dir.path());
  EXPECT_EQ(Names(files), sorted);
  EXPECT_TRUE(files.entry(files.count()).empty());

  dir.Touch("new");
  EXPECT_EQ(files.count(), sorted.size()) << "a snapshot changes only when refreshed";
  files.Refresh();
  EXPECT_EQ(files.count(), sorted.size() + 1);
}

// The list sorts on a packed start of each key before the whole key; keys that share that
// start, that differ only past it, that hold characters from U+00FF up or that are prefixes of
// one another must still come out in plain key order, ties by the exact name.
TEST(EntryListTest, OrderIsThePlainOrderOfTheKeysWhateverTheirCharacters) {
  const std::u16string pieces[] = {u"a", u"\u00FE", u"\u00FF", u"\u0100", u"\uFFFD", u"aaaaaaaa"};
  std::mt19937 random(7);
  std::map<NativeString, std::u16string> key_of;
  TempDir dir;
  for (int i = 0; i < 400; ++i) {
    std::u16string key;
    for (std::size_t n = random() % 4; n > 0; --n) key += pieces[random() % std::size(pieces)];
    std::string name = "n";
    name += std::to_string(i);
    dir.Touch(name);
    key_of[fs::path(name).native()] = key;
  }
  FileList files([&](const NativeString& name) { return key_of.at(name); });
  files.SetPath(dir.path());

  std::vector<std::pair<std::u16string, NativeString>> expected;
  for (const auto& [name, key] : key_of) expected.emplace_back(key, name);
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(files.count(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(files.name(i), expected[i].second) << "position " << i;
  }
}

TEST(DirectoryListTest, EntriesAreFullPathsAndChangeIsRaisedOnlyForANewPath) {
  TempDir dir;
  dir.MakeDir("Rock");
  dir.MakeDir("01 Jazz");
  dir.Touch("file");
  DirectoryList folders(AsciiFold);
  int changes = 0;
  std::size_t files_given = 0;
  folders.OnChange([&](const EntryList::State& files) {
    ++changes;
    files_given = files.names->size();
  });

  folders.SetPath(dir.path() / "");
  EXPECT_EQ(folders.path(), dir.path());
  ASSERT_EQ(folders.count(), 2u);
  EXPECT_EQ(folders.entry(0), dir / "01 Jazz");
  EXPECT_EQ(folders.entry(1), dir / "Rock");
  folders.SetPath(dir.path());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(files_given, 1u) << "the change gives the files of the same reading";
}

TEST(DirectoryListTest, RootListsItsSubfoldersWithOneSeparator) {
  const fs::path root = platform::StartLocation();
  DirectoryList folders(AsciiFold);
  folders.SetPath(root);
  EXPECT_EQ(folders.path(), root);
  ASSERT_GT(folders.count(), 0u);
  EXPECT_EQ(folders.entry(0).native(), root.native() + folders.name(0));
}

TEST(LocationListsTest, LoadStandsEveryListOnTheStartLocation) {
  LocationLists lists(AsciiFold);
  lists.Load();
  const fs::path start = platform::StartLocation();
  EXPECT_EQ(WhereAll(lists), (Where{start, start, start, start, start}));
  EXPECT_GT(lists.Dir1().count(), 0u);
  EXPECT_EQ(Names(lists.Dir1()), Names(lists.Dir2()));
  EXPECT_EQ(Names(lists.File1()), Names(lists.File2()));
}

TEST(LocationListsTest, DriveAndDirectoryChangesMoveTheOtherLists) {
  TempDir drive;
  drive.MakeDir("music");
  drive.Touch("music/01 a.mp3");
  drive.Touch("top.txt");
  LocationLists lists(AsciiFold);
  lists.Load();

  lists.ChooseDrive(drive.path());
  EXPECT_EQ(WhereAll(lists),
            (Where{drive.path(), drive.path(), drive.path(), drive.path(), drive.path()}));
  EXPECT_EQ(Names(lists.File2()), std::vector<std::string>{"top.txt"});

  lists.OpenDirectory(drive / "music");
  const fs::path music = drive / "music";
  EXPECT_EQ(WhereAll(lists), (Where{drive.path(), music, music, music, music}));
  EXPECT_EQ(Names(lists.File1()), std::vector<std::string>{"01 a.mp3"});
  EXPECT_EQ(Names(lists.File2()), std::vector<std::string>{"01 a.mp3"});
}

TEST(LocationListsTest, UnreadableTargetLeavesEveryListWhereItWas) {
  TempDir dir;
  dir.Touch("a file");
  LocationLists lists(AsciiFold);
  lists.Load();
  lists.OpenDirectory(dir.path());
  const Where before = WhereAll(lists);

  EXPECT_THROW(lists.OpenDirectory(dir / "missing"), fs::filesystem_error);
  EXPECT_EQ(WhereAll(lists), before);
  EXPECT_THROW(lists.ChooseDrive(dir / "a file"), fs::filesystem_error);
  EXPECT_EQ(WhereAll(lists), before);
  EXPECT_EQ(Names(lists.File1()), std::vector<std::string>{"a file"});
}

}  // namespace
}  // namespace qomdex
