#include "present/outcome_words.h"

#include "location/join_path.h"
#include "location/text_encoding.h"
#include "present/quoting.h"

namespace qomdex::present {
namespace {

using FailureKind = PassReport::FailureKind;
using KeptReason = PassReport::KeptReason;

// The words of a sentence around the names it holds: `lead`, the entry, `after_name`, and, where
// the sentence names the entry's new name too, that name and `after_target`.
struct Wording {
  const char* lead;
  const char* after_name;
  const char* after_target;  // null: the sentence names the entry alone
};

// One kind of outcome, as the window and as the console word it.
struct Wordings {
  Wording window;
  Wording console;
};

Wordings FailureWordings(const PassReport::Failure& failure, bool undo) {
  switch (failure.kind) {
    case FailureKind::kRename:
      return {{undo ? "Could not put back " : "Could not rename ", " as ", ""},
              {"cannot rename ", " to ", ""}};
    case FailureKind::kUnreadableDirectory:
      return {{"Cannot read ", "", nullptr}, {"cannot read directory ", "", nullptr}};
    case FailureKind::kNotRenamedEntry:
      // With a reason the entry could not be looked at; without one it is another entry.
      if (failure.error) {
        return {{"Not put back: ", " cannot be looked at", nullptr},
                {"cannot put back ", "", nullptr}};
      }
      return {{"Not put back: ", " is no longer the entry renamed from ", ""},
              {"left ", " alone: it is not the entry that was renamed", nullptr}};
    case FailureKind::kChangedUnproven:
      return {{"Not put back: ",
               " changed since the rename, and on this file system a changed entry cannot be "
               "told from another",
               nullptr},
              {"left ",
               " alone: it changed since the rename, and on this file system a changed entry "
               "cannot be told from another",
               nullptr}};
    case FailureKind::kJournal:
      return {{"Stopped before renaming ", " as ", ": the rename journal cannot be written"},
              {"cannot write the journal, so ", " was not renamed to ", ""}};
    case FailureKind::kLeftover:
      return {{"Could not remove ", ", left behind by a rename that was cut short", nullptr},
              {"cannot remove ", ", left by a rename cut short", nullptr}};
    case FailureKind::kNotPlaceholder:
      return {{"Left ", " alone: it is not the placeholder the rename made", nullptr},
              {"left ", " alone: it is not the placeholder the rename made", nullptr}};
    case FailureKind::kNotEmpty:
      return {{"Left ", " alone: it is not empty", nullptr},
              {"left ", " alone: it is not empty", nullptr}};
  }
  return {{"", "", nullptr}, {"", "", nullptr}};
}

const Wording& In(Voice voice, const Wordings& wordings) {
  return voice == Voice::kWindow ? wordings.window : wordings.console;
}

std::string Sentence(const Wording& words, NativeStringView name,
                     const std::filesystem::path& target) {
  std::string text = words.lead;
  AppendQuotedName(name, text);
  text += words.after_name;
  if (words.after_target != nullptr) {
    AppendQuotedName(LastComponent(target), text);
    text += words.after_target;
  }
  return text;
}

}  // namespace

std::string FailureText(Voice voice, const PassReport::Failure& failure, bool undo) {
  const NativeString name = failure.kind == FailureKind::kUnreadableDirectory
                                ? failure.path.native()
                                : LastComponent(failure.path);
  std::string text = Sentence(In(voice, FailureWordings(failure, undo)), name, failure.target);
  text += ReasonText(failure.error);
  return text;
}

std::string UnreadableText(Voice voice, const std::filesystem::path& directory,
                           const std::error_code& error) {
  return FailureText(voice, {FailureKind::kUnreadableDirectory, directory, {}, error}, false);
}

std::string KeptText(Voice voice, const PassReport::Kept& kept) {
  const Wordings wordings{{"", " keeps its name: ", nullptr}, {"kept ", ": ", nullptr}};
  std::string text = Sentence(In(voice, wordings), LastComponent(kept.path), {});
  text += KeptWhy(voice, kept.reason);
  return text;
}

std::string KeptWhy(Voice voice, KeptReason reason) {
  const bool window = voice == Voice::kWindow;
  switch (reason) {
    case KeptReason::kWouldHide:
      return window ? "the new name would start with a dot and hide it"
                    : "its new name would hide it";
    case KeptReason::kWouldBeEmpty:
      return window ? "nothing would be left of it" : "its new name would be empty";
    case KeptReason::kIsJournal: return "it is the rename journal";
    case KeptReason::kDeviceName:
      return window ? "the new name is one Windows keeps for a device"
                    : "its new name is a Windows device name";
  }
  return {};
}

void AppendRenamedText(NativeStringView from, NativeStringView to, std::string& text) {
  AppendQuotedName(from, text);
  text += " -> ";
  AppendQuotedName(to, text);
}

std::string RemovedText(const std::filesystem::path& path) {
  return Sentence({"removed ", ", left by a rename cut short", nullptr}, LastComponent(path), {});
}

std::string LostLinesText(std::size_t renames) {
  return std::to_string(renames) + (renames == 1 ? " rename was made whose line was lost"
                                                 : " renames were made whose lines were lost");
}

std::string ReasonText(const std::error_code& error) {
  std::string text;
  if (error) text.append(": ").append(SystemTextToUtf8(error.message()));
  return text;
}

}  // namespace qomdex::present
