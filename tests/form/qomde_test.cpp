// The window's handlers against real temporary directories: navigation, the command, undo and
// the progress policy of a long pass. Every failure is one message and the window goes on.

#include "ui/form/qomde.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <new>
#include <set>
#include <string>
#include <system_error>

#include "location/platform.h"
#include "location/text_encoding.h"
#include "present/quoting.h"
#include "tests/form/fake_view.h"
#include "tests/support/dir1_walk.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex::testing {
namespace {

using namespace std::chrono_literals;
using form::ControlId;
using Names = std::set<std::string>;
using Strings = std::vector<std::string>;

// Returns the reason the system gives for an error; empty on Windows, whose own codes and texts
// stand for these.
std::string Reason([[maybe_unused]] std::errc error) {
#ifdef _WIN32
  return {};
#else
  return std::make_error_code(error).message();
#endif
}

// A window over a fake view, standing on a directory.
struct Window {
  explicit Window(const std::filesystem::path& directory,
                  form::PassProgress::Now now = form::PassProgress::Clock::now)
      : window(view, std::move(now)) {
    window.FormLoad();
    opened = view.Open(window, directory);
  }
  FakeView view;
  form::qomde window;
  bool opened = false;
};

TEST(QomdeTest, WindowOpensOnTheStartLocation) {
  FakeView view;
  form::qomde window(view);
  window.FormLoad();
  const std::u16string start = NativeToUtf16(platform::StartLocation().native());
  ASSERT_GT(view.dir1.size(), 0u);
  EXPECT_EQ(view.dir1.Text(0), start);
  EXPECT_EQ(view.dir1_row, 0u);
  EXPECT_EQ(view.drives.at(0), start);
  EXPECT_EQ(view.drive, 0u);
  EXPECT_EQ(Narrow(view.undo_text), "Undo last rename (0 entries)");
  EXPECT_FALSE(view.undo_enabled);
  EXPECT_TRUE(view.messages.empty());
}

TEST(QomdeTest, OpeningFoldersMovesTheFileListAndAFailureMovesNothing) {
  TempDir dir;
  dir.Touch("top.txt");
  dir.MakeDir("sub");
  dir.MakeDir("gone");
  dir.Touch("sub/inner.txt");
  Window w(dir.path());
  ASSERT_TRUE(w.opened);
  EXPECT_EQ(w.view.Files(), Strings{"top.txt"});
  EXPECT_EQ(w.view.Subfolders(), (Strings{"gone", "sub"}));
  const std::size_t top_row = *w.view.dir1_row;

  w.window.Dir1Change(*testing::SubfolderRow(w.view.dir1, testing::Native("sub")));
  EXPECT_EQ(w.view.Files(), Strings{"inner.txt"});
  EXPECT_TRUE(w.view.Subfolders().empty());
  EXPECT_EQ(w.view.dir1.Indent(*w.view.dir1_row), *w.view.dir1_row);
  w.window.Dir1Change(top_row);  // back up to an ancestor
  EXPECT_EQ(w.view.Files(), Strings{"top.txt"});

  std::filesystem::remove(dir / "gone");  // still listed: the snapshot predates this
  w.window.Dir1Change(*testing::SubfolderRow(w.view.dir1, testing::Native("gone")));
  ASSERT_EQ(w.view.messages.size(), 1u);
  const std::string message = Narrow(w.view.messages.front());
  EXPECT_NE(message.find("gone"), std::string::npos) << message;
  EXPECT_NE(message.find(Reason(std::errc::no_such_file_or_directory)), std::string::npos);
  EXPECT_EQ(w.view.dir1_row, top_row);
  EXPECT_EQ(w.view.Files(), Strings{"top.txt"});
  EXPECT_EQ(w.view.Subfolders(), (Strings{"gone", "sub"}));
}

struct TheSelectedOptionChoosesThePassCase {
  const char* name;
  ControlId selected;
  Strings files;
  Strings subfolders;
  const char* renamed_file;  // holds the content of "01 a.txt" afterwards
};
const TheSelectedOptionChoosesThePassCase kTheSelectedOptionChoosesThePassRows[] = {
    {"File, as the window opens", ControlId::OptFile, {"a.txt"}, {"02 b"}, "a.txt"},
    {"Folder", ControlId::OptFolder, {"01 a.txt"}, {"b"}, "01 a.txt"},
    {"neither", ControlId::Command1, {"01 a.txt"}, {"02 b"}, "01 a.txt"},
};

class TheSelectedOptionChoosesThePass
    : public ::testing::TestWithParam<TheSelectedOptionChoosesThePassCase> {};

TEST_P(TheSelectedOptionChoosesThePass, Holds) {
  const TheSelectedOptionChoosesThePassCase& c = GetParam();
  TempDir dir;
  dir.Touch("01 a.txt");
  dir.MakeDir("02 b");
  Window w(dir.path());
  ASSERT_TRUE(w.opened);
  w.view.selected_option = c.selected;
  w.window.Command1Click();
  EXPECT_EQ(w.view.Files(), c.files);
  EXPECT_EQ(w.view.Subfolders(), c.subfolders);
  EXPECT_EQ(dir.Names().size(), 2u);
  EXPECT_EQ(dir.Read(c.renamed_file), "01 a.txt");
  EXPECT_TRUE(w.view.messages.empty());
  const bool renamed = c.selected != ControlId::Command1;
  EXPECT_EQ(w.view.undo_enabled, renamed);
  EXPECT_EQ(Narrow(w.view.undo_text),
            renamed ? "Undo last rename (1 entry)" : "Undo last rename (0 entries)");
  // The lists follow the window's height again once the pass is over.
  EXPECT_EQ(w.view.heights[ControlId::Dir1], w.view.outer_height_twips - 1000);
}

INSTANTIATE_TEST_SUITE_P(QomdeTest, TheSelectedOptionChoosesThePass,
                         ::testing::ValuesIn(kTheSelectedOptionChoosesThePassRows),
                         [](const auto& row) { return testing::RowName(row.param.name); });

// A folder named only with cut characters keeps its name, and that is no failure to report.
TEST(QomdeTest, EntriesKeptOnPurposeShowNoMessage) {
  TempDir dir;
  dir.MakeDir("2019");
  Window w(dir.path());
  ASSERT_TRUE(w.opened);
  w.view.selected_option = ControlId::OptFolder;
  w.window.Command1Click();
  EXPECT_EQ(dir.Names(), std::set<std::string>{"2019"});
  EXPECT_TRUE(w.view.messages.empty());
}

TEST(QomdeTest, FailedRenamesAreReportedTogetherAndTheOthersStand) {
  TempDir dir;
  // "a.txt" is taken, so both numbered files get copy names, and those are taken too.
  for (const char* name :
       {"1 a.txt", "2 a.txt", "3 b.txt", "a.txt", "a copy ( 1).txt", "a copy ( 2).txt"}) {
    dir.Touch(name);
  }
  Window w(dir.path());
  ASSERT_TRUE(w.opened);
  w.window.Command1Click();

  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_EQ(w.view.messages.front().find(u"2 failures while renaming.\n"), 0u);
  const std::string& details = w.view.details.front();
  const std::size_t second = details.find('\n') + 1;
  EXPECT_EQ(details.find("Could not rename '1 a.txt' as 'a copy ( 1).txt': "), 0u) << details;
  EXPECT_EQ(details.find("Could not rename '2 a.txt' as 'a copy ( 2).txt': ", second), second);
  EXPECT_EQ(details.find('\n', second), std::string::npos) << details;
  EXPECT_NE(details.find(Reason(std::errc::file_exists) + "\n"), std::string::npos) << details;
  EXPECT_EQ(dir.Read("b.txt"), "3 b.txt");
  EXPECT_EQ(dir.Read("a copy ( 1).txt"), "a copy ( 1).txt");
  EXPECT_EQ(w.view.Files(), (Strings{"1 a.txt", "2 a.txt", "a copy ( 1).txt", "a copy ( 2).txt",
                                     "a.txt", "b.txt"}));
}

#ifndef _WIN32
struct NamesShowOnOneLineWithWhatIsInvisibleMadeVisibleCase {
  const char* name;  // "1 " and this, beside this and its copy name, so its rename fails
  const char* shown;
  const char* shown_with_number;  // "1 " and the name
};
const NamesShowOnOneLineWithWhatIsInvisibleMadeVisibleCase
    kNamesShowOnOneLineWithWhatIsInvisibleMadeVisibleRows[] = {
        {"a\nb.txt", "'a'$'\\n''b.txt'", "'1 a'$'\\n''b.txt'"},
        {"\xff\xfe.txt", "''$'\\377\\376''.txt'", "'1 '$'\\377\\376''.txt'"},
        // right-to-left override
        {"\xe2\x80\xaetxt.exe", "''$'\\342\\200\\256''txt.exe'", "'1 '$'\\342\\200\\256''txt.exe'"},
};

class NamesShowOnOneLineWithWhatIsInvisibleMadeVisible
    : public ::testing::TestWithParam<NamesShowOnOneLineWithWhatIsInvisibleMadeVisibleCase> {};

TEST_P(NamesShowOnOneLineWithWhatIsInvisibleMadeVisible, Holds) {
  const NamesShowOnOneLineWithWhatIsInvisibleMadeVisibleCase& c = GetParam();
  TempDir dir;
  const std::string name = c.name;
  const std::string stem = name.substr(0, name.rfind('.'));
  const std::string copy = stem + " copy ( 1)" + name.substr(name.rfind('.'));
  for (const std::string& entry : {"1 " + name, name, copy}) dir.Touch(entry);
  Window w(dir.path());
  ASSERT_TRUE(w.opened);
  std::vector<std::u16string> rows;
  for (std::size_t row = 0; row < w.view.files.size(); ++row)
    rows.push_back(w.view.files.Text(row));
  EXPECT_NE(std::ranges::find(rows, U16(c.shown)), rows.end());
  w.window.Command1Click();
  EXPECT_EQ(dir.Read(name), name);
  ASSERT_EQ(w.view.details.size(), 1u);
  const std::string& details = w.view.details.front();
  EXPECT_EQ(details.find('\n'), std::string::npos) << details;
  EXPECT_EQ(details.find("Could not rename " + std::string(c.shown_with_number) + " as "), 0u)
      << details;
}

INSTANTIATE_TEST_SUITE_P(QomdeTest, NamesShowOnOneLineWithWhatIsInvisibleMadeVisible,
                         ::testing::ValuesIn(kNamesShowOnOneLineWithWhatIsInvisibleMadeVisibleRows),
                         [](const auto& row) { return testing::RowName(row.param.shown); });
#endif

enum class Meanwhile { kNothing, kOneRenamedByHand, kDirectoryGone };
struct UndoRestoresTheLastPassAndReportsEveryFailureCase {
  const char* name;
  Meanwhile meanwhile;
  std::vector<const char16_t*> message_parts;  // empty: no message
};
const UndoRestoresTheLastPassAndReportsEveryFailureCase
    kUndoRestoresTheLastPassAndReportsEveryFailureRows[] = {
        {"untouched since the pass", Meanwhile::kNothing, {}},
        {"one renamed again meanwhile",
         Meanwhile::kOneRenamedByHand,
         {u"1 failure while putting names back.\nNot put back: b cannot be looked at"}},
        // The undo's own failures and the lists that cannot be re-read are one report, with a
        // line for each list at least.
        {"directory gone", Meanwhile::kDirectoryGone, {u" failures while putting names back.\n"}},
};

class UndoRestoresTheLastPassAndReportsEveryFailure
    : public ::testing::TestWithParam<UndoRestoresTheLastPassAndReportsEveryFailureCase> {};

TEST_P(UndoRestoresTheLastPassAndReportsEveryFailure, Holds) {
  const UndoRestoresTheLastPassAndReportsEveryFailureCase& c = GetParam();
  TempDir dir;
  dir.MakeDir("d");
  for (const char* name : {"d/01 a.txt", "d/02 a.txt", "d/03 b"}) dir.Touch(name);
  Window w(dir / "d");
  ASSERT_TRUE(w.opened);
  w.window.Command1Click();
  ASSERT_EQ(w.view.Files(), (Strings{"a copy ( 1).txt", "a.txt", "b"}));
  ASSERT_EQ(Narrow(w.view.undo_text), "Undo last rename (3 entries)");
  if (c.meanwhile == Meanwhile::kOneRenamedByHand) {
    std::filesystem::rename(dir / "d/b", dir / "d/by hand");
  }
  if (c.meanwhile == Meanwhile::kDirectoryGone) std::filesystem::remove_all(dir / "d");

  w.window.UndoLastPass();

  if (c.meanwhile == Meanwhile::kNothing) {
    EXPECT_EQ(dir.Names(), Names{"d"});
    EXPECT_EQ(w.view.Files(), (Strings{"01 a.txt", "02 a.txt", "03 b"}));
    EXPECT_EQ(dir.Read("d/02 a.txt"), "d/02 a.txt");
  }
  if (c.meanwhile == Meanwhile::kOneRenamedByHand) {
    EXPECT_EQ(w.view.Files(), (Strings{"01 a.txt", "02 a.txt", "by hand"}));
  }
  ASSERT_EQ(w.view.messages.size(), c.message_parts.empty() ? 0u : 1u);
  for (const char16_t* part : c.message_parts) {
    EXPECT_NE(w.view.messages.front().find(part), std::u16string::npos)
        << Narrow(w.view.messages.front());
  }
  if (c.meanwhile == Meanwhile::kDirectoryGone) {
    const std::string message = Narrow(w.view.messages.front());
    std::size_t unreadable = 0;
    for (auto at = message.find("Cannot read"); at != std::string::npos;
         at = message.find("Cannot read", at + 1)) {
      ++unreadable;
    }
    EXPECT_GE(unreadable, 2u) << message;
  }
  EXPECT_FALSE(w.view.undo_enabled);
  w.window.UndoLastPass();  // nothing left to undo
  EXPECT_EQ(w.view.messages.size(), c.message_parts.empty() ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(QomdeTest, UndoRestoresTheLastPassAndReportsEveryFailure,
                         ::testing::ValuesIn(kUndoRestoresTheLastPassAndReportsEveryFailureRows),
                         [](const auto& row) { return testing::RowName(row.param.name); });

TEST(QomdeTest, APassThatCannotStartLeavesNoEarlierPassToUndo) {
  TempDir dir;
  dir.MakeDir("d");
  dir.Touch("d/01 a.txt");
  Window w(dir / "d");
  ASSERT_TRUE(w.opened);
  w.window.Command1Click();
  ASSERT_TRUE(w.view.undo_enabled);
  // Another program moves the folder away with the renamed file; the next pass cannot open it.
  std::filesystem::rename(dir / "d", dir / "elsewhere");

  w.window.Command1Click();

  EXPECT_EQ(w.view.messages.size(), 1u);
  EXPECT_FALSE(w.view.undo_enabled);
  EXPECT_EQ(Narrow(w.view.undo_text), "Undo last rename (0 entries)");
  w.window.UndoLastPass();
  EXPECT_EQ(dir.Names(), (Names{"elsewhere"}));
  EXPECT_EQ(dir.Read("elsewhere/a.txt"), "d/01 a.txt");
}

// A directory of `count` numbered files, "00 f0" on.
void NumberedFiles(const TempDir& dir, int count) {
  for (int i = 0; i < count; ++i) {
    std::string name = std::to_string(i);
    if (i < 10) name.insert(name.begin(), '0');
    dir.Touch(name.append(" f").append(std::to_string(i)));
  }
}

TEST(QomdeTest, ProgressShowsAfterHalfASecondAndUpdatesAtMostEvery50Ms) {
  TempDir dir;
  NumberedFiles(dir, 15);
  form::PassProgress::Clock::time_point now{};
  // Each reading of the clock is 40 ms after the last.
  Window w(dir.path(), [&] { return now += 40ms; });
  ASSERT_TRUE(w.opened);
  int reentries = 0;
  w.view.on_update = [&] {
    // Events that run mid-pass, before and while the progress window shows, reach no handler
    // that moves a list, renames or resizes.
    ++reentries;
    w.window.Command1Click();
    w.window.UndoLastPass();
    w.window.Dir1Change(0);
    w.window.Drive1Change(0);
    w.window.FormResize();
    EXPECT_TRUE(w.view.heights.empty());
  };
  w.window.Command1Click();
  // The pass starts at 40 ms: the window shows at the 13th entry (560 ms), and the next
  // update comes two entries (80 ms) later, not one (40 ms).
  EXPECT_EQ(w.view.progress, (Strings{"show", "update 866 Renaming 13 of 15\n12 f12",
                                      "update 1000 Renaming 15 of 15\n14 f14", "close"}));
  // Before the window shows, events run every 50 ms too: at the 2nd, 4th, ... 12th entry.
  EXPECT_EQ(w.view.events_run, 6);
  EXPECT_EQ(reentries, 8);
  EXPECT_EQ(dir.Names().size(), 15u);
  EXPECT_EQ(dir.Read("f14"), "14 f14");
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_EQ(w.view.heights[ControlId::File1], w.view.outer_height_twips - 1000);
}

TEST(QomdeTest, MemoryRunningOutMidPassIsReportedAndTheWindowGoesOn) {
  TempDir dir;
  NumberedFiles(dir, 15);
  form::PassProgress::Clock::time_point now{};
  Window w(dir.path(), [&] { return now += 40ms; });
  ASSERT_TRUE(w.opened);
  w.view.on_update = [] { throw std::bad_alloc(); };
  w.window.Command1Click();
  ASSERT_EQ(w.view.messages.size(), 1u);
  EXPECT_TRUE(Narrow(w.view.messages[0]).starts_with("Memory ran out, so this action stopped."))
      << Narrow(w.view.messages[0]);
  // The window still answers, and the next pass treats what the first left.
  w.view.on_update = nullptr;
  w.window.Command1Click();
  EXPECT_EQ(w.view.messages.size(), 1u) << Narrow(w.view.messages.back());
  EXPECT_EQ(w.view.Files().size(), 15u);
  EXPECT_EQ(dir.Read("f14"), "14 f14");
}

TEST(QomdeTest, UndoShowsTheProgressOfAPassWithoutCancel) {
  TempDir dir;
  NumberedFiles(dir, 15);
  form::PassProgress::Clock::time_point now{};
  Window w(dir.path(), [&] { return now += 40ms; });
  ASSERT_TRUE(w.opened);
  w.window.Command1Click();
  w.view.progress.clear();
  w.view.on_update = [&] {
    // Nothing that moves a list or renames runs while the undo's progress window shows.
    w.window.Command1Click();
    w.window.Refresh();
    w.window.Dir1Change(0);
  };
  w.window.UndoLastPass();
  // Put back last first: the 13th is "02 f2", 520 ms after the undo began.
  EXPECT_EQ(w.view.progress,
            (Strings{"show without Cancel", "update 866 Putting back 13 of 15\n02 f2",
                     "update 1000 Putting back 15 of 15\n00 f0", "close"}));
  EXPECT_EQ(dir.Read("00 f0"), "00 f0");
  EXPECT_EQ(w.view.Files().size(), 15u);
  EXPECT_EQ(w.view.Files().front(), "00 f0");
  EXPECT_TRUE(w.view.messages.empty());
}

// A directory of a million entries takes most of a second to read: every handler that reads one
// must read it aside, while the window keeps answering, and still show what it read.
struct EveryReadingOfADirectoryRunsAsideCase {
  const char* label;
  void (form::qomde::*handler)();
  Strings files;
};
const EveryReadingOfADirectoryRunsAsideCase kEveryReadingOfADirectoryRunsAsideRows[] = {
    {"refresh", &form::qomde::Refresh, {"01 a.txt", "b.txt"}},
    {"pass", &form::qomde::Command1Click, {"a.txt", "b.txt"}},
    {"preview", &form::qomde::Preview, {"01 a.txt"}},  // reads only the mirror
};

class EveryReadingOfADirectoryRunsAside
    : public ::testing::TestWithParam<EveryReadingOfADirectoryRunsAsideCase> {};

TEST_P(EveryReadingOfADirectoryRunsAside, Holds) {
  const EveryReadingOfADirectoryRunsAsideCase& c = GetParam();
  TempDir dir;
  dir.Touch("01 a.txt");
  Window w(dir.path());
  ASSERT_TRUE(w.opened);
  EXPECT_GT(w.view.asides, 0) << "opening a folder";
  dir.Touch("b.txt");
  w.view.asides = 0;
  (w.window.*c.handler)();
  EXPECT_GT(w.view.asides, 0);
  EXPECT_EQ(w.view.Files(), c.files);
}

INSTANTIATE_TEST_SUITE_P(QomdeTest, EveryReadingOfADirectoryRunsAside,
                         ::testing::ValuesIn(kEveryReadingOfADirectoryRunsAsideRows),
                         testing::kByLabel);

TEST(QomdeTest, RefreshRereadsTheListsWhereTheyStand) {
  TempDir dir;
  dir.MakeDir("d");
  dir.Touch("d/a.txt");
  Window w(dir / "d");
  ASSERT_TRUE(w.opened);
  const std::size_t row = *w.view.dir1_row;
  dir.Touch("d/b.txt");
  dir.MakeDir("d/sub");
  w.window.Refresh();
  EXPECT_EQ(w.view.Files(), (Strings{"a.txt", "b.txt"}));
  EXPECT_EQ(w.view.Subfolders(), Strings{"sub"});
  EXPECT_EQ(w.view.dir1_row, row);
  EXPECT_TRUE(w.view.messages.empty());
}

// A folder the lists stand on that another program removed (or put a file in the place of):
// F5, a pass and a preview move the lists to the nearest folder above it that exists and say so.
struct VanishCase {
  const char* name;
  const char* removed;  // under the temporary folder, after the lists stand on a/b
  bool file_in_its_place;
  void (form::qomde::*action)();
  int levels_up;  // where the lists stand then, above a/b
  Strings files;  // what File1 shows there
};

void PrintTo(const VanishCase& row, std::ostream* out) { *out << row.name; }

class VanishedFolderTest : public ::testing::TestWithParam<VanishCase> {};

TEST_P(VanishedFolderTest, ListsMoveToTheNearestFolderAboveThatExists) {
  const VanishCase& c = GetParam();
  TempDir dir;
  dir.MakeDir("a");
  dir.MakeDir("a/b");
  dir.Touch("a/b/01 x.txt");
  dir.Touch("a/in a.txt");
  dir.Touch("top.txt");
  Window w(dir / "a" / "b");
  ASSERT_TRUE(w.opened);
  const std::filesystem::path stood =
      w.view.dir1.PathAt(*w.view.dir1_row);  // as the window spells it
  std::filesystem::remove_all(dir / c.removed);
  if (c.file_in_its_place) dir.Touch(c.removed);

  (w.window.*c.action)();
  std::filesystem::path shown = stood;
  for (int up = 0; up < c.levels_up; ++up) shown = shown.parent_path();
  ASSERT_TRUE(w.view.dir1_row);
  EXPECT_EQ(w.view.dir1.PathAt(*w.view.dir1_row), shown);
  EXPECT_EQ(w.view.Files(), c.files);
  EXPECT_TRUE(w.view.previews.empty());
  ASSERT_EQ(w.view.messages.size(), 1u);
  const std::string said = Narrow(w.view.messages.front());
  EXPECT_NE(said.find("The folder " + present::QuoteName(stood.native()) +
                      " is no longer there.\nThe lists now show the nearest folder above it: " +
                      present::QuoteName(shown.native())),
            std::string::npos)
      << said;
}

const VanishCase kVanishCases[] = {
    {"F5", "a/b", false, &form::qomde::Refresh, 1, {"in a.txt"}},
    {"F5TwoLevelsGone", "a", false, &form::qomde::Refresh, 2, {"top.txt"}},
    {"F5AFileInItsPlace", "a/b", true, &form::qomde::Refresh, 1, {"b", "in a.txt"}},
    {"Pass", "a/b", false, &form::qomde::Command1Click, 1, {"in a.txt"}},
    {"Preview", "a", false, &form::qomde::Preview, 2, {"top.txt"}},
};

INSTANTIATE_TEST_SUITE_P(Vanished, VanishedFolderTest, ::testing::ValuesIn(kVanishCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The undo command names the folder it would undo in whenever the lists stand on another, and
// undoes there all the same.
struct UndoFolderCase {
  const char* name;
  bool go_up;         // the lists move to the folder above after the pass
  bool come_back;     // and then back into the folder of the pass
  bool undo;          // and then the undo runs
  bool names_folder;  // the caption names the folder of the pass
};

void PrintTo(const UndoFolderCase& row, std::ostream* out) { *out << row.name; }

class UndoFolderTest : public ::testing::TestWithParam<UndoFolderCase> {};

TEST_P(UndoFolderTest, TheCaptionNamesTheFolderWhenItIsNotTheOneShown) {
  const UndoFolderCase& c = GetParam();
  TempDir dir;
  dir.MakeDir("d");
  dir.Touch("d/01 a.txt");
  dir.Touch("d/02 b.txt");
  Window w(dir / "d");
  ASSERT_TRUE(w.opened);
  const std::filesystem::path folder =
      w.view.dir1.PathAt(*w.view.dir1_row);  // as the window spells it
  w.window.Command1Click();
  if (c.go_up) w.window.Dir1Change(*w.view.dir1_row - 1);
  if (c.come_back) w.window.Dir1Change(*testing::SubfolderRow(w.view.dir1, testing::Native("d")));
  if (c.undo) w.window.UndoLastPass();
  const std::string entries = c.undo ? "0 entries" : "2 entries";
  EXPECT_EQ(Narrow(w.view.undo_text),
            "Undo last rename (" + entries +
                (c.names_folder ? " in " + present::QuoteName(folder.native()) : "") + ")");
  EXPECT_EQ(dir.Read(c.undo ? "d/01 a.txt" : "d/a.txt"), "d/01 a.txt");
}

const UndoFolderCase kUndoFolderCases[] = {
    {"InTheFolderOfThePass", false, false, false, false},
    {"AnotherFolderShown", true, false, false, true},
    {"BackInTheFolderOfThePass", true, true, false, false},
    {"UndoneFromAnotherFolder", true, false, true, false},
};

INSTANTIATE_TEST_SUITE_P(UndoFolder, UndoFolderTest, ::testing::ValuesIn(kUndoFolderCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(QomdeTest, CancelStopsThePassAfterTheCurrentEntry) {
  struct Case {
    std::chrono::milliseconds tick;
    std::size_t renamed;
  };
  for (const Case& c : {Case{100ms, 5}, Case{250ms, 2}}) {
    TempDir dir;
    NumberedFiles(dir, 30);
    form::PassProgress::Clock::time_point now{};
    Window w(dir.path(), [&] { return now += c.tick; });
    ASSERT_TRUE(w.opened);
    w.view.on_update = [&] { w.view.canceled = true; };
    w.window.Command1Click();
    std::size_t renamed = 0;
    for (const std::string& name : dir.Names()) renamed += name[0] == 'f' ? 1 : 0;
    EXPECT_EQ(renamed, c.renamed);
    EXPECT_EQ(w.view.progress.front(), "show");
    EXPECT_EQ(w.view.progress.back(), "close");
    EXPECT_EQ(Narrow(w.view.undo_text),
              "Undo last rename (" + std::to_string(c.renamed) + " entries)");
  }
}

}  // namespace
}  // namespace qomdex::testing
