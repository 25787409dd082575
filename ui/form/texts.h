#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "engine/pass_report.h"
#include "location/native_name.h"

namespace qomdex::form {

// A message for the user: a line or two, then the entries it is about, one a line, which a view
// shows in a scrollable box that can be copied from; `details` is empty for a plain message.
struct Message {
  std::u16string text;
  std::u16string details;
};

// Returns `message` with `more`, if any, after it: its text on a line of its own below, its
// details after the others.
Message Joined(Message message, const std::optional<Message>& more);

// What a long action is doing to the entries: a pass renames them, an undo puts them back, a
// preview runs the pass dry to show what it would do.
enum class Action { kPass, kUndo, kPreview };

// Returns a name or path as a list row shows it on one line: as it is, or, where it holds
// anything invisible, line-breaking or not text, quoted and escaped as the command line shows it.
std::u16string ShownName(const NativeString& name);

// Returns the message that reports what an action failed to do and which entries it left alone
// on purpose, each on a line of its own in words for its kind; its text is empty when there is
// nothing to report.
Message ReportMessage(Action action, const PassReport& report);

// Returns the message for a drive or directory that cannot be read, with the system's reason.
Message UnreadableMessage(const std::filesystem::filesystem_error& error);

// Returns the message for a folder the lists stood on that is no longer there, which says where
// they stand now instead.
Message MovedUpMessage(const std::filesystem::path& gone, const std::filesystem::path& shown);

// Returns the message for an action stopped because memory ran out.
Message MemoryMessage();

// Returns the message for a failure that nothing above explains, with the detail the failure
// carries (`what` may be empty).
Message UnexpectedMessage(const std::string& what);

// Returns the undo command's text for the number of entries the last pass renamed, naming the
// folder they are in when `elsewhere` is that folder (the lists stand on another); empty: none.
std::u16string UndoText(std::size_t entries, const std::filesystem::path& elsewhere = {});

// Returns the progress window's text: entries done of the total, and the current name.
std::u16string ProgressText(Action action, std::size_t done, std::size_t total,
                            const NativeString& name);

// The preview command (the lists' context menu, Ctrl+P), the preview's title and the heads of its
// two columns.
inline constexpr char16_t kPreviewCommand[] = u"Preview...";
inline constexpr char16_t kPreviewTitle[] = u"Preview";
inline constexpr char16_t kPreviewNameHead[] = u"Name";
inline constexpr char16_t kPreviewResultHead[] = u"New name";
// The preview's commands: its Space key, which ticks or unticks the selected rows, and its button
// that renames what is ticked.
inline constexpr char16_t kTickCommand[] = u"Tick or untick";
inline constexpr char16_t kRenameCommand[] = u"Rename";
// What the preview says of an entry the user unticked.
inline constexpr char16_t kPreviewLeftOutText[] = u"left out: keeps its name";

// Returns what the preview says of an entry the pass would leave alone on purpose: "kept: " and
// why.
std::u16string PreviewKeptText(PassReport::KeptReason reason);

// Returns what the preview says of an entry whose new name `target` would be refused: "refused: ",
// the name quoted, and the system's reason where it gave one.
std::u16string PreviewRefusedText(const NativeString& target, const std::error_code& error);

// How many of a preview's rows have each outcome.
struct PreviewCounts {
  std::size_t renamed = 0;
  std::size_t kept = 0;
  std::size_t refused = 0;
  std::size_t left_out = 0;
};

// Returns the preview's heading: how many entries of the kind the pass treats there are, and how
// many of them it would rename, keep and fail to rename, and how many the user left out.
std::u16string PreviewHeading(bool folders, std::size_t entries, const PreviewCounts& counts);

}  // namespace qomdex::form
