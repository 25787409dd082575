#include "ui/form/texts.h"

#include "location/text_encoding.h"
#include "present/outcome_words.h"
#include "present/quoting.h"

namespace qomdex::form {
namespace {

using present::Voice;

std::u16string Number(std::size_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Count(std::size_t count, const char16_t* one, const char16_t* many) {
  return Number(count) + (count == 1 ? one : many);
}

// A name inside a sentence is quoted and escaped as the command line shows it, so where it
// starts and ends is never in doubt.
std::u16string Quoted(const NativeString& name) { return DecodeUtf8(present::QuoteName(name)); }

}  // namespace

std::u16string ShownName(const NativeString& name) {
  return present::ShowsAsItIs(name) ? NativeToUtf16(name) : Quoted(name);
}

Message Joined(Message message, const std::optional<Message>& more) {
  if (!more) return message;
  if (!message.text.empty()) message.text += u'\n';
  message.text += more->text;
  if (!message.details.empty() && !more->details.empty()) message.details += u'\n';
  message.details += more->details;
  return message;
}

Message ReportMessage(Action action, const PassReport& report) {
  Message message;
  // Entries kept on purpose are no failure: they are named only beside failures.
  if (report.failures.empty()) return message;
  message.text = Count(report.failures.size(), u" failure", u" failures") +
                 (action == Action::kUndo ? u" while putting names back." : u" while renaming.");
  if (!report.kept.empty()) {
    message.text +=
        u' ' + Count(report.kept.size(), u" entry kept its name.", u" entries kept their names.");
  }
  for (const PassReport::Failure& failure : report.failures) {
    message.details +=
        DecodeUtf8(present::FailureText(Voice::kWindow, failure, action == Action::kUndo));
    message.details += u'\n';
  }
  for (const PassReport::Kept& kept : report.kept) {
    message.details += DecodeUtf8(present::KeptText(Voice::kWindow, kept));
    message.details += u'\n';
  }
  if (!message.details.empty()) message.details.pop_back();
  return message;
}

Message UnreadableMessage(const std::filesystem::filesystem_error& error) {
  return {DecodeUtf8(present::UnreadableText(Voice::kWindow, error.path1(), error.code())), {}};
}

Message MovedUpMessage(const std::filesystem::path& gone, const std::filesystem::path& shown) {
  return {u"The folder " + Quoted(gone.native()) +
              u" is no longer there.\nThe lists now show the nearest folder above it: " +
              Quoted(shown.native()),
          {}};
}

Message MemoryMessage() {
  return {
      u"Memory ran out, so this action stopped. Names already changed keep their new names, "
      u"and the window cannot undo them.",
      {}};
}

Message UnexpectedMessage(const std::string& what) {
  Message message{u"An unexpected failure stopped this action.", {}};
  if (!what.empty()) message.text += u'\n' + SystemTextToUtf16(what);
  return message;
}

std::u16string UndoText(std::size_t entries, const std::filesystem::path& elsewhere) {
  std::u16string text = u"Undo last rename (" + Count(entries, u" entry", u" entries");
  if (!elsewhere.empty()) text += u" in " + Quoted(elsewhere.native());
  return text + u")";
}

std::u16string ProgressText(Action action, std::size_t done, std::size_t total,
                            const NativeString& name) {
  const char16_t* doing = u"Renaming ";
  if (action == Action::kUndo) doing = u"Putting back ";
  if (action == Action::kPreview) doing = u"Previewing ";
  return doing + Number(done) + u" of " + Number(total) + u'\n' + ShownName(name);
}

std::u16string PreviewKeptText(PassReport::KeptReason reason) {
  return u"kept: " + DecodeUtf8(present::KeptWhy(Voice::kWindow, reason));
}

std::u16string PreviewRefusedText(const NativeString& target, const std::error_code& error) {
  return u"refused: " + Quoted(target) + DecodeUtf8(present::ReasonText(error));
}

std::u16string PreviewHeading(bool folders, std::size_t entries, const PreviewCounts& counts) {
  const std::u16string left_out =
      counts.left_out == 0 ? u"" : Number(counts.left_out) + u" left out, ";
  return (folders ? Count(entries, u" folder: ", u" folders: ")
                  : Count(entries, u" file: ", u" files: ")) +
         Number(counts.renamed) + u" would be renamed, " + left_out + Number(counts.kept) +
         u" kept, " + Number(counts.refused) + u" refused. Nothing has been renamed.";
}

}  // namespace qomdex::form
