// The window's control table: the focus order, the captions and each platform's credit lines,
// and the twips it is all measured in.

#include "ui/form/control_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/form/fake_view.h"
#include "ui/form/twips.h"

namespace qomdex::testing {
namespace {

using form::ControlEntry;
using form::ControlId;
using form::Toolkit;

const ControlEntry& Find(const std::vector<ControlEntry>& table, ControlId id) {
  return *std::ranges::find(table, id, &ControlEntry::id);
}

// The places, fonts and colours themselves are checked where a view shows them (tests/qt's
// layout test); here, what every view takes from the table as it is.
TEST(ControlTableTest, FocusSkipsLabelsAndHiddenListsAndFileIsSelected) {
  for (const Toolkit toolkit : {Toolkit::kQt, Toolkit::kWin32}) {
    const std::vector<ControlEntry> table = form::ControlTable(toolkit);
    EXPECT_EQ(table.size(), 15u);
    EXPECT_EQ(
        form::FocusOrder(table),
        (std::vector<ControlId>{ControlId::Drive1, ControlId::Dir1, ControlId::File1,
                                ControlId::Command1, ControlId::OptFile, ControlId::OptFolder}));
    for (const ControlEntry& control : table) {
      EXPECT_EQ(control.selected, control.id == ControlId::OptFile) << control.name;
      EXPECT_EQ(control.shown, control.id != ControlId::File2 && control.id != ControlId::Dir2);
      EXPECT_EQ(control.sized_to_text, control.kind == form::ControlKind::kLabel);
    }
  }
}

TEST(ControlTableTest, CaptionsAndCreditLinesAreTrueForEachToolkit) {
  struct Case {
    Toolkit toolkit;
    const char* label7;
    const char* label5;
  };
  for (const Case& c : {Case{Toolkit::kQt, "Built with Qt 6", "and ICU"},
                        Case{Toolkit::kWin32, "Built with the", "Win32 API"}}) {
    const std::vector<ControlEntry> table = form::ControlTable(c.toolkit);
    EXPECT_EQ(Narrow(Find(table, ControlId::Label7).text), c.label7);
    EXPECT_EQ(Narrow(Find(table, ControlId::Label5).text), c.label5);
    EXPECT_EQ(Narrow(Find(table, ControlId::Label6).text), "Prgram Developed By:");
    EXPECT_EQ(Narrow(Find(table, ControlId::Label2).text), "Version 1.00");
    EXPECT_EQ(Narrow(Find(table, ControlId::OptFile).text), "File");
    EXPECT_EQ(Narrow(Find(table, ControlId::OptFolder).text), "Folder");
    EXPECT_EQ(Narrow(Find(table, ControlId::Command1).text),
              "Remove Leading Numbers, Space, Dash, Underscore");
  }
  // The Windows window is built with neither Qt nor ICU, and says so.
  for (const ControlEntry& control : form::ControlTable(Toolkit::kWin32)) {
    const std::string text = Narrow(control.text);
    EXPECT_EQ(text.find("Qt"), std::string::npos) << text;
    EXPECT_EQ(text.find("ICU"), std::string::npos) << text;
  }
}

TEST(ControlTableTest, EveryShownControlHasAnAccessibleNameAndDescription) {
  const std::pair<ControlId, const char*> names[] = {
      {ControlId::Drive1, "Drive"},
      {ControlId::Dir1, "Folders"},
      {ControlId::File1, "Files"},
      {ControlId::OptFile, "File"},
      {ControlId::OptFolder, "Folder"},
      {ControlId::Command1, "Remove Leading Numbers, Space, Dash, Underscore"},
      {ControlId::Label6, "Prgram Developed By:"},
  };
  for (const Toolkit toolkit : {Toolkit::kQt, Toolkit::kWin32}) {
    const std::vector<ControlEntry> table = form::ControlTable(toolkit);
    for (const auto& [id, name] : names) EXPECT_EQ(Narrow(Find(table, id).accessible_name), name);
    for (const ControlEntry& control : table) {
      EXPECT_EQ(control.accessible_name.empty(), !control.shown) << control.name;
      EXPECT_EQ(control.accessible_description.empty(), !control.shown) << control.name;
      // A credit line is read as it shows.
      if (control.kind == form::ControlKind::kLabel) {
        EXPECT_EQ(control.accessible_name, control.text);
      }
    }
  }
}

TEST(ControlTableTest, TwipsConvertWithTheDpi) {
  struct Case {
    int twips, dpi, pixels;
  };
  for (const Case& c : {Case{15, 96, 1}, Case{9510, 96, 634}, Case{7935, 96, 529},
                        Case{1440, 120, 120}, Case{7935, 144, 794}, Case{1000, 96, 67}}) {
    EXPECT_EQ(form::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_LE(std::abs(form::PixelsToTwips(c.pixels, c.dpi) - c.twips), 1440 / c.dpi);
  }
}

}  // namespace
}  // namespace qomdex::testing
