// The window's own rules, without any disk: hover colours and the resize rule.

#include <gtest/gtest.h>

#include <vector>

#include "tests/form/fake_view.h"
#include "tests/support/row_name.h"
#include "ui/form/qomde.h"

namespace qomdex::testing {
namespace {

using form::Bgr;
using form::ControlId;

enum class Move { kBare, kLabel6, kLabel1 };

// The colour a label was last set to, or its normal colour.
Bgr LastColor(const FakeView& view, ControlId label, Bgr normal) {
  for (auto it = view.colors.rbegin(); it != view.colors.rend(); ++it) {
    if (it->first == label) return it->second;
  }
  return normal;
}

struct LabelsLightUpAndGoBackOnlyOverTheBareWindowCase {
  const char* name;
  std::vector<Move> moves;
  Bgr label6;
  Bgr label1;
};
const LabelsLightUpAndGoBackOnlyOverTheBareWindowCase
    kLabelsLightUpAndGoBackOnlyOverTheBareWindowRows[] = {
        {"onto Label6", {Move::kLabel6}, form::kLabel6Lit, form::kLabel1Normal},
        {"onto Label1", {Move::kLabel1}, form::kLabel6Normal, form::kLabel1Lit},
        {"both lit at once", {Move::kLabel6, Move::kLabel1}, form::kLabel6Lit, form::kLabel1Lit},
        {"Label6, then bare",
         {Move::kLabel6, Move::kBare},
         form::kLabel6Normal,
         form::kLabel1Normal},
        {"both, then bare",
         {Move::kLabel1, Move::kLabel6, Move::kBare},
         form::kLabel6Normal,
         form::kLabel1Normal},
        {"bare, then Label1", {Move::kBare, Move::kLabel1}, form::kLabel6Normal, form::kLabel1Lit},
};

class LabelsLightUpAndGoBackOnlyOverTheBareWindow
    : public ::testing::TestWithParam<LabelsLightUpAndGoBackOnlyOverTheBareWindowCase> {};

TEST_P(LabelsLightUpAndGoBackOnlyOverTheBareWindow, Holds) {
  const LabelsLightUpAndGoBackOnlyOverTheBareWindowCase& c = GetParam();
  FakeView view;
  form::qomde window(view);
  for (const Move move : c.moves) {
    if (move == Move::kBare) window.FormMouseMove();
    if (move == Move::kLabel6) window.Label6MouseMove();
    if (move == Move::kLabel1) window.Label1MouseMove();
  }
  EXPECT_EQ(LastColor(view, ControlId::Label6, form::kLabel6Normal), c.label6);
  EXPECT_EQ(LastColor(view, ControlId::Label1, form::kLabel1Normal), c.label1);
  // Only the two hover labels ever change colour.
  for (const auto& [control, color] : view.colors) {
    EXPECT_TRUE(control == ControlId::Label6 || control == ControlId::Label1);
  }
}

INSTANTIATE_TEST_SUITE_P(HoverTest, LabelsLightUpAndGoBackOnlyOverTheBareWindow,
                         ::testing::ValuesIn(kLabelsLightUpAndGoBackOnlyOverTheBareWindowRows),
                         [](const auto& row) { return testing::RowName(row.param.name); });

struct ListsFollowTheOuterHeightAboveTheGuardCase {
  const char* name;
  int outer_height;
  bool minimized;
  std::optional<int> list_height;  // empty: the lists keep their height
};
const ListsFollowTheOuterHeightAboveTheGuardCase kListsFollowTheOuterHeightAboveTheGuardRows[] = {
    {"as it opens", 8535, false, 7535},       {"taller", 12000, false, 11000},
    {"just above the guard", 1001, false, 1}, {"at the guard", 1000, false, std::nullopt},
    {"below it", 400, false, std::nullopt},   {"minimized", 8535, true, std::nullopt},
};

class ListsFollowTheOuterHeightAboveTheGuard
    : public ::testing::TestWithParam<ListsFollowTheOuterHeightAboveTheGuardCase> {};

TEST_P(ListsFollowTheOuterHeightAboveTheGuard, Holds) {
  const ListsFollowTheOuterHeightAboveTheGuardCase& c = GetParam();
  FakeView view;
  form::qomde window(view);
  view.outer_height_twips = c.outer_height;
  view.minimized = c.minimized;
  window.FormResize();
  if (c.list_height) {
    const std::map<ControlId, int> expected = {{ControlId::Dir1, *c.list_height},
                                               {ControlId::File1, *c.list_height}};
    EXPECT_EQ(view.heights, expected);
  } else {
    EXPECT_TRUE(view.heights.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(ResizeTest, ListsFollowTheOuterHeightAboveTheGuard,
                         ::testing::ValuesIn(kListsFollowTheOuterHeightAboveTheGuardRows),
                         [](const auto& row) { return testing::RowName(row.param.name); });

}  // namespace
}  // namespace qomdex::testing
