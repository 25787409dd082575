// The words for each kind of outcome, as the window and as the console say them.

#include "present/outcome_words.h"

#include <gtest/gtest.h>

#include <variant>

namespace qomdex::present {
namespace {

using Kind = PassReport::FailureKind;
using Why = PassReport::KeptReason;

TEST(OutcomeWordsTest, EachKindHasTheWordsOfEachVoiceAndNoReasonWhereTheSystemGaveNone) {
  const std::filesystem::path d("d/e");
  const std::error_code denied = std::make_error_code(std::errc::permission_denied);
  const std::string why = ": " + denied.message();
  using Failure = PassReport::Failure;
  using Kept = PassReport::Kept;
  const struct {
    const char* name;
    std::variant<Failure, Kept> outcome;
    bool undo;
    std::string window, console;
  } cases[] = {
      {"undo's rename", Failure{Kind::kRename, d / "a", d / "1 a", {}}, true,
       "Could not put back a as '1 a'", "cannot rename a to '1 a'"},
      {"directory, by its path", Failure{Kind::kUnreadableDirectory, d, {}, denied}, false,
       "Cannot read d/e" + why, "cannot read directory d/e" + why},
      {"another entry", Failure{Kind::kNotRenamedEntry, d / "a", d / "1 a", {}}, true,
       "Not put back: a is no longer the entry renamed from '1 a'",
       "left a alone: it is not the entry that was renamed"},
      {"journal", Failure{Kind::kJournal, d / "1 a", d / "a", denied}, false,
       "Stopped before renaming '1 a' as a: the rename journal cannot be written" + why,
       "cannot write the journal, so '1 a' was not renamed to a" + why},
      {"leftover", Failure{Kind::kLeftover, d / "a", {}, denied}, true,
       "Could not remove a, left behind by a rename that was cut short" + why,
       "cannot remove a, left by a rename cut short" + why},
      {"placeholder", Failure{Kind::kNotPlaceholder, d / "a", {}, {}}, true,
       "Left a alone: it is not the placeholder the rename made",
       "left a alone: it is not the placeholder the rename made"},
      {"not empty", Failure{Kind::kNotEmpty, d / "a", {}, {}}, true,
       "Left a alone: it is not empty", "left a alone: it is not empty"},
      {"empty", Kept{d / "99", Why::kWouldBeEmpty}, false,
       "99 keeps its name: nothing would be left of it", "kept 99: its new name would be empty"},
      {"device", Kept{d / "1 CON", Why::kDeviceName}, false,
       "'1 CON' keeps its name: the new name is one Windows keeps for a device",
       "kept '1 CON': its new name is a Windows device name"},
  };
  for (const auto& c : cases) {
    for (const Voice voice : {Voice::kWindow, Voice::kConsole}) {
      const auto* kept = std::get_if<Kept>(&c.outcome);
      EXPECT_EQ(
          kept ? KeptText(voice, *kept) : FailureText(voice, std::get<Failure>(c.outcome), c.undo),
          voice == Voice::kWindow ? c.window : c.console)
          << c.name;
    }
  }
}

}  // namespace
}  // namespace qomdex::present
