// The preview's tick boxes: an unticked entry keeps its name and counts, for taken names and copy
// numbers, as an entry whose name has nothing to cut; the rows after it show what the pass would
// now give them; Rename renames exactly what is ticked, to the names shown, and undo puts it back.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/form/fake_view.h"
#include "tests/support/temp_dir.h"
#include "ui/form/qomde.h"

namespace qomdex::testing {
namespace {

using form::CommandId;
using form::ControlId;
using Tick = form::PreviewRows::Tick;
using Names = std::set<std::string>;
using Rows = std::vector<std::tuple<std::string, std::string, Tick>>;

constexpr Tick kOn = Tick::kTicked;
constexpr Tick kOff = Tick::kUnticked;
const char kLeftOut[] = "left out: keeps its name";

struct TickCase {
  const char* name;
  ControlId option;
  std::vector<std::string> entries;               // files, or folders with OptFolder
  std::vector<std::vector<std::size_t>> toggles;  // the rows selected at each press of Space
  Rows rows;                                      // as the preview shows them after the toggles
  std::size_t first_redrawn;                      // the first row the last toggle redrew
  Names after;                                    // the folder's names after Rename
};

const TickCase kCases[] = {
    // Ticked, '01 a.txt' frees nothing and takes 'a.txt'; '02 b.txt' finds 'b.txt' taken, one
    // match: copy 1. Unticked, '01 a.txt' matches itself as an unchanged name does: copy 2.
    {"UntickedFileCountsAsItselfInTheCopyNumbersAfterIt",
     ControlId::OptFile,
     {"01 a.txt", "02 b.txt", "b.txt"},
     {{0}},
     {{"01 a.txt", kLeftOut, kOff}, {"02 b.txt", "b copy ( 2).txt", kOn}},
     0,
     {"01 a.txt", "b copy ( 2).txt", "b.txt"}},
    {"UntickedFileLeavesItsNewNameFreeForTheNextOne",
     ControlId::OptFile,
     {"01 a.txt", "1 a.txt"},
     {{0}},
     {{"01 a.txt", kLeftOut, kOff}, {"1 a.txt", "a.txt", kOn}},
     0,
     {"01 a.txt", "a.txt"}},
    {"TickedAgainCountsAsBefore",
     ControlId::OptFile,
     {"01 a.txt", "02 b.txt", "b.txt"},
     {{0}, {0}},
     {{"01 a.txt", "a.txt", kOn}, {"02 b.txt", "b copy ( 1).txt", kOn}},
     0,
     {"a.txt", "b copy ( 1).txt", "b.txt"}},
    // Space over several rows gives them all the opposite of the first one's tick.
    {"SpaceOverSeveralRowsFollowsTheFirst",
     ControlId::OptFile,
     {"01 a.txt", "02 b.txt", "03 c.txt"},
     {{2}, {1, 2}},
     {{"01 a.txt", "a.txt", kOn}, {"02 b.txt", kLeftOut, kOff}, {"03 c.txt", kLeftOut, kOff}},
     1,
     {"a.txt", "02 b.txt", "03 c.txt"}},
    // A rename the system would refuse is not tried once unticked, and so not reported.
    {"UntickedRefusalIsNotTried",
     ControlId::OptFile,
     {"01 a.txt", "a.txt", "a copy ( 1).txt", "02 c.txt"},
     {{0}},
     {{"01 a.txt", kLeftOut, kOff}, {"02 c.txt", "c.txt", kOn}},
     0,
     {"01 a.txt", "a.txt", "a copy ( 1).txt", "c.txt"}},
    {"UntickedFolderLeavesItsNewNameFreeForTheNextOne",
     ControlId::OptFolder,
     {"01 x", "02 x"},
     {{0}},
     {{"01 x", kLeftOut, kOff}, {"02 x", "x", kOn}},
     0,
     {"01 x", "x"}},
    // A folder's copy number is its place in the listing, which an unticked folder keeps.
    {"UntickedFolderLeavesTheCopyNumbersAfterItAsTheyWere",
     ControlId::OptFolder,
     {"01 x", "02 x", "x"},
     {{0}},
     {{"01 x", kLeftOut, kOff}, {"02 x", "x Copy ( 1)", kOn}},
     0,
     {"01 x", "x Copy ( 1)", "x"}},
};

class PreviewTickTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(PreviewTickTest, RenameRenamesWhatIsTickedToTheNamesShown) {
  const TickCase& c = GetParam();
  TempDir dir;
  for (const std::string& entry : c.entries) {
    if (c.option == ControlId::OptFolder) {
      dir.MakeDir(entry);
    } else {
      dir.Touch(entry);
    }
  }
  const Names before = dir.Names();
  FakeView view;
  form::qomde window(view);
  window.FormLoad();
  ASSERT_TRUE(view.Open(window, dir.path()));
  view.selected_option = c.option;

  Rows shown;
  bool rename_enabled = false;
  view.in_preview = [&](const form::PreviewRows& rows) {
    for (const std::vector<std::size_t>& selected : c.toggles) {
      window.RunCommand(CommandId::kTick, selected);
    }
    for (std::size_t i = 0; i < rows.count(); ++i) {
      const form::PreviewRows::Row row = rows.row(i);
      shown.emplace_back(Narrow(row.name), Narrow(row.result), row.tick);
    }
    rename_enabled = window.commands()[static_cast<std::size_t>(CommandId::kRename)].enabled;
    EXPECT_EQ(dir.Names(), before);  // ticking renames nothing
    window.RunCommand(CommandId::kRename);
  };
  window.RunCommand(CommandId::kPreview);

  EXPECT_EQ(shown, c.rows);
  EXPECT_TRUE(rename_enabled);
  ASSERT_EQ(view.redrawn_from.size(), c.toggles.size());
  EXPECT_EQ(view.redrawn_from.back(), c.first_redrawn);
  EXPECT_EQ(view.previews_closed, 1);
  EXPECT_EQ(dir.Names(), c.after);
  EXPECT_TRUE(view.messages.empty());
  // The lists show the new names; undo covers the pass Rename ran.
  const std::vector<std::string> listed =
      c.option == ControlId::OptFile ? view.Files() : view.Subfolders();
  EXPECT_EQ(Names(listed.begin(), listed.end()), c.after);
  EXPECT_FALSE(window.commands()[static_cast<std::size_t>(CommandId::kRename)].enabled);
  window.RunCommand(CommandId::kUndo);
  EXPECT_EQ(dir.Names(), before);
}

// A tick whose rows cannot be recomputed (the folder went) is reported, and the preview closes
// without renaming anything, even when Rename is chosen before it has gone.
TEST(PreviewTickFailureTest, ATickThatCannotBeRecomputedClosesThePreviewAndRenamesNothing) {
  TempDir dir;
  dir.MakeDir("d");
  dir.Touch("d/01 a.txt");
  dir.Touch("02 b.txt");
  FakeView view;
  form::qomde window(view);
  window.FormLoad();
  ASSERT_TRUE(view.Open(window, dir / "d"));
  view.in_preview = [&](const form::PreviewRows&) {
    std::filesystem::rename(dir / "d", dir / "gone");
    window.RunCommand(CommandId::kTick, {0});
    window.RunCommand(CommandId::kRename);
  };
  window.RunCommand(CommandId::kPreview);
  EXPECT_EQ(view.previews_closed, 1);
  EXPECT_EQ(view.messages.size(), 1u);  // the folder that could not be read
  EXPECT_EQ(dir.Names(), (Names{"gone", "02 b.txt"}));
  EXPECT_FALSE(window.commands()[static_cast<std::size_t>(CommandId::kUndo)].enabled);
}

INSTANTIATE_TEST_SUITE_P(Ticks, PreviewTickTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex::testing
