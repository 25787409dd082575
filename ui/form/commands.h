#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qomdex::form {

// The window's commands: what a key, a menu item or a button runs.
enum class CommandId : std::uint8_t { kPreview, kUndo, kRefresh, kTick, kRename };

// A key that runs a command, as a view translates it into its toolkit's key.
enum class KeyName : std::uint8_t { kNone, kLetter, kF5, kSpace, kEnter };
struct CommandKey {
  KeyName name = KeyName::kNone;
  char letter = 0;  // 'A' to 'Z' when `name` is kLetter
  bool control = false;

  bool operator==(const CommandKey&) const = default;
};

// Where a command shows: each a bit of Command::places.
enum CommandPlace : std::uint8_t {
  kWindowKey = 1,      // its key works over the main window
  kListMenu = 2,       // an item of Dir1's and File1's context menu, in the table's order
  kPreviewKey = 4,     // its key works on the preview's rows
  kPreviewButton = 8,  // a button of the preview, beside Close
};

// One command as the views build it: its name (a view's action or item is named after it), the
// caption a menu or button shows, its key, where it shows and whether it can be chosen now.
struct Command {
  CommandId id;
  const char* name;
  std::u16string caption;
  CommandKey key;
  std::uint8_t places;
  bool enabled;
};

// Returns every command in the state of a window that has run no pass yet and shows no preview:
// nothing to undo, nothing to tick or rename. Touches nothing.
std::vector<Command> CommandTable();

}  // namespace qomdex::form
