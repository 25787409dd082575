// The window's commands as both views build them: each command's caption, key, places and
// whether it can be chosen, as the window's state changes; and no key means two commands.

#include "ui/form/commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "tests/form/fake_view.h"
#include "tests/support/temp_dir.h"
#include "ui/form/qomde.h"

namespace qomdex::testing {
namespace {

using form::CommandId;
using form::CommandKey;
using form::KeyName;

struct Expected {
  CommandId id;
  const char* caption;
  CommandKey key;
  std::uint8_t places;
  bool enabled;
};

struct CommandCase {
  const char* name;
  void (*events)(form::qomde& window);  // what the user did after opening the folder
  std::vector<Expected> commands;
  std::set<std::string> files;  // the folder's names afterwards
};

constexpr CommandKey kCtrlP{KeyName::kLetter, 'P', true};
constexpr CommandKey kCtrlZ{KeyName::kLetter, 'Z', true};
constexpr CommandKey kF5{KeyName::kF5};
constexpr std::uint8_t kEverywhere = form::kWindowKey | form::kListMenu;
// The preview's commands, which can be chosen only while a preview shows.
const Expected kTick{
    CommandId::kTick, "Tick or untick", {KeyName::kSpace}, form::kPreviewKey, false};
const Expected kRename{CommandId::kRename,
                       "Rename",
                       {KeyName::kEnter},
                       form::kPreviewKey | form::kPreviewButton,
                       false};

const CommandCase kCases[] = {
    {"OnOpening",
     [](form::qomde&) {},
     {{CommandId::kPreview, "Preview...", kCtrlP, kEverywhere, true},
      {CommandId::kUndo, "Undo last rename (0 entries)", kCtrlZ, kEverywhere, false},
      {CommandId::kRefresh, "Refresh", kF5, form::kWindowKey, true},
      kTick,
      kRename},
     {"01 a.txt", "02 b.txt"}},
    {"AfterAPass",
     [](form::qomde& window) { window.Command1Click(); },
     {{CommandId::kPreview, "Preview...", kCtrlP, kEverywhere, true},
      {CommandId::kUndo, "Undo last rename (2 entries)", kCtrlZ, kEverywhere, true},
      {CommandId::kRefresh, "Refresh", kF5, form::kWindowKey, true},
      kTick,
      kRename},
     {"a.txt", "b.txt"}},
    {"AfterUndoRanFromTheTable",
     [](form::qomde& window) {
       window.Command1Click();
       window.RunCommand(CommandId::kUndo);
     },
     {{CommandId::kPreview, "Preview...", kCtrlP, kEverywhere, true},
      {CommandId::kUndo, "Undo last rename (0 entries)", kCtrlZ, kEverywhere, false},
      {CommandId::kRefresh, "Refresh", kF5, form::kWindowKey, true},
      kTick,
      kRename},
     {"01 a.txt", "02 b.txt"}},
};

class CommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandTest, TheTableSaysWhatEachCommandIsNowAndTheViewShowsIt) {
  const CommandCase& c = GetParam();
  TempDir dir;
  dir.Touch("01 a.txt");
  dir.Touch("02 b.txt");
  FakeView view;
  form::qomde window(view);
  window.FormLoad();
  ASSERT_TRUE(view.Open(window, dir.path()));
  c.events(window);

  const std::vector<form::Command>& commands = window.commands();
  ASSERT_EQ(commands.size(), c.commands.size());
  for (std::size_t i = 0; i < commands.size(); ++i) {
    SCOPED_TRACE(commands[i].name);
    EXPECT_EQ(commands[i].id, c.commands[i].id);
    EXPECT_EQ(Narrow(commands[i].caption), c.commands[i].caption);
    EXPECT_EQ(commands[i].key, c.commands[i].key);
    EXPECT_EQ(commands[i].places, c.commands[i].places);
    EXPECT_EQ(commands[i].enabled, c.commands[i].enabled);
  }
  // What the view was last told of undo is what the table says.
  EXPECT_EQ(Narrow(view.undo_text), c.commands[1].caption);
  EXPECT_EQ(view.undo_enabled, c.commands[1].enabled);
  EXPECT_EQ(dir.Names(), c.files);
}

INSTANTIATE_TEST_SUITE_P(States, CommandTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CommandTableTest, NoKeyRunsTwoCommandsInOnePlace) {
  std::set<std::pair<std::uint8_t, std::pair<int, int>>> seen;
  for (const form::Command& command : form::CommandTable()) {
    if (command.key.name == KeyName::kNone) continue;
    const std::pair key(static_cast<int>(command.key.name),
                        command.key.letter + (command.key.control ? 0x100 : 0));
    for (std::uint8_t place = 1; place != 0; place = static_cast<std::uint8_t>(place << 1)) {
      if (command.places & place) {
        EXPECT_TRUE(seen.insert({place, key}).second) << command.name;
      }
    }
  }
}

}  // namespace
}  // namespace qomdex::testing
