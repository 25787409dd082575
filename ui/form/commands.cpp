#include "ui/form/commands.h"

#include "ui/form/texts.h"

namespace qomdex::form {

std::vector<Command> CommandTable() {
  return {
      {CommandId::kPreview,
       "Preview",
       kPreviewCommand,
       {KeyName::kLetter, 'P', true},
       kWindowKey | kListMenu,
       true},
      {CommandId::kUndo,
       "UndoLastRename",
       UndoText(0),
       {KeyName::kLetter, 'Z', true},
       kWindowKey | kListMenu,
       false},
      {CommandId::kRefresh, "Refresh", u"Refresh", {KeyName::kF5}, kWindowKey, true},
      {CommandId::kTick, "TickRows", kTickCommand, {KeyName::kSpace}, kPreviewKey, false},
      {CommandId::kRename,
       "RenameTicked",
       kRenameCommand,
       {KeyName::kEnter},
       kPreviewKey | kPreviewButton,
       false},
  };
}

}  // namespace qomdex::form
