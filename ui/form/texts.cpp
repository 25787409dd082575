#include "ui/form/texts.h"

#include "location/join_path.h"
#include "location/quoting.h"
#include "location/text_encoding.h"

namespace qomdex::form {
namespace {

using FailureKind = PassReport::FailureKind;
using KeptReason = PassReport::KeptReason;

std::u16string Number(std::size_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Count(std::size_t count, const char16_t* one, const char16_t* many) {
  return Number(count) + (count == 1 ? one : many);
}

// Returns ": " and the system's reason, or nothing when the system gave none: a line never ends
// in the reason of no error ("Success").
std::u16string Reason(const std::error_code& error) {
  if (!error) return {};
  return u": " + SystemTextToUtf16(error.message());
}

// A name inside a sentence is quoted and escaped as the command line shows it, so where it
// starts and ends is never in doubt.
std::u16string Quoted(const NativeString& name) { return DecodeUtf8(QuoteName(name)); }

std::u16string Name(const std::filesystem::path& path) { return Quoted(LastComponent(path)); }

std::u16string CannotRead(const std::filesystem::path& directory, const std::error_code& error) {
  return u"Cannot read " + Quoted(directory.native()) + Reason(error);
}

std::u16string FailureLine(Action action, const PassReport::Failure& failure) {
  switch (failure.kind) {
    case FailureKind::kRename:
      return (action == Action::kUndo ? u"Could not put back " : u"Could not rename ") +
             Name(failure.path) + u" as " + Name(failure.target) + Reason(failure.error);
    case FailureKind::kUnreadableDirectory: return CannotRead(failure.path, failure.error);
    case FailureKind::kNotRenamedEntry:
      if (failure.error) {
        return u"Not put back: " + Name(failure.path) + u" cannot be looked at" +
               Reason(failure.error);
      }
      return u"Not put back: " + Name(failure.path) + u" is no longer the entry renamed from " +
             Name(failure.target);
    case FailureKind::kJournal:
      return u"Stopped before renaming " + Name(failure.path) + u" as " + Name(failure.target) +
             u": the rename journal cannot be written" + Reason(failure.error);
    case FailureKind::kLeftover:
      return u"Could not remove " + Name(failure.path) +
             u", left behind by a rename that was cut short" + Reason(failure.error);
    case FailureKind::kNotPlaceholder:
      return u"Left " + Name(failure.path) + u" alone: it is not the placeholder the rename made";
    case FailureKind::kNotEmpty: return u"Left " + Name(failure.path) + u" alone: it is not empty";
  }
  return Name(failure.path) + Reason(failure.error);
}

// Why an entry keeps its name, as the end of a sentence.
std::u16string KeptWhy(KeptReason reason) {
  switch (reason) {
    case KeptReason::kWouldHide: return u"the new name would start with a dot and hide it";
    case KeptReason::kWouldBeEmpty: return u"nothing would be left of it";
    case KeptReason::kIsJournal: return u"it is the rename journal";
    case KeptReason::kDeviceName: return u"the new name is one Windows keeps for a device";
  }
  return {};
}

std::u16string KeptLine(const PassReport::Kept& kept) {
  return Name(kept.path) + u" keeps its name: " + KeptWhy(kept.reason);
}

}  // namespace

std::u16string ShownName(const NativeString& name) {
  return ShowsAsItIs(name) ? NativeToUtf16(name) : Quoted(name);
}

Message ReportMessage(Action action, const PassReport& report) {
  Message message;
  // Entries kept on purpose are no failure: they are named only beside failures.
  if (report.failures.empty()) return message;
  message.text = Count(report.failures.size(), u" failure", u" failures") +
                 (action == Action::kUndo ? u" while putting names back." : u" while renaming.");
  if (!report.kept.empty()) {
    message.text +=
        u' ' + Count(report.kept.size(), u" entry", u" entries") + u" kept their names.";
  }
  for (const PassReport::Failure& failure : report.failures) {
    message.details += FailureLine(action, failure) + u'\n';
  }
  for (const PassReport::Kept& kept : report.kept) message.details += KeptLine(kept) + u'\n';
  if (!message.details.empty()) message.details.pop_back();
  return message;
}

Message UnreadableMessage(const std::filesystem::filesystem_error& error) {
  return {CannotRead(error.path1(), error.code()), {}};
}

Message UnexpectedMessage(const std::string& what) {
  Message message{u"An unexpected failure stopped this action.", {}};
  if (!what.empty()) message.text += u'\n' + SystemTextToUtf16(what);
  return message;
}

std::u16string UndoText(std::size_t entries) {
  return u"Undo last rename (" + Count(entries, u" entry", u" entries") + u")";
}

std::u16string ProgressText(Action action, std::size_t done, std::size_t total,
                            const NativeString& name) {
  const char16_t* doing = u"Renaming ";
  if (action == Action::kUndo) doing = u"Putting back ";
  if (action == Action::kPreview) doing = u"Previewing ";
  return doing + Number(done) + u" of " + Number(total) + u'\n' + ShownName(name);
}

std::u16string PreviewKeptText(KeptReason reason) { return u"kept: " + KeptWhy(reason); }

std::u16string PreviewRefusedText(const NativeString& target, const std::error_code& error) {
  return u"refused: " + Quoted(target) + Reason(error);
}

std::u16string PreviewHeading(bool folders, std::size_t entries, std::size_t renamed,
                              std::size_t kept, std::size_t refused) {
  return (folders ? Count(entries, u" folder: ", u" folders: ")
                  : Count(entries, u" file: ", u" files: ")) +
         Number(renamed) + u" would be renamed, " + Number(kept) + u" kept, " + Number(refused) +
         u" refused. Nothing has been renamed.";
}

}  // namespace qomdex::form
