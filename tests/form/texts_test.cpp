// The words the window uses for each kind of outcome of a pass or an undo.

#include "ui/form/texts.h"

#include <gtest/gtest.h>

#include <string>
#include <system_error>
#include <vector>

#include "tests/form/fake_view.h"

namespace qomdex::testing {
namespace {

using FailureKind = PassReport::FailureKind;
using KeptReason = PassReport::KeptReason;

TEST(ReportMessageTest, EachKindHasItsOwnWordsAndNoReasonWhereTheSystemGaveNone) {
  const std::filesystem::path dir = std::filesystem::path("d");
  const std::error_code none;
  const std::error_code denied = std::make_error_code(std::errc::permission_denied);
  const std::string why = ": " + denied.message();
  struct Case {
    form::Action action;
    PassReport::Failure failure;
    std::string line;
  };
  const Case cases[] = {
      {form::Action::kPass,
       {FailureKind::kRename, dir / "1 a", dir / "a", denied},
       "Could not rename '1 a' as a" + why},
      {form::Action::kUndo,
       {FailureKind::kRename, dir / "a", dir / "1 a", none},
       "Could not put back a as '1 a'"},
      {form::Action::kPass,
       {FailureKind::kUnreadableDirectory, dir, {}, denied},
       "Cannot read d" + why},
      {form::Action::kUndo,
       {FailureKind::kNotRenamedEntry, dir / "a", dir / "1 a", none},
       "Not put back: a is no longer the entry renamed from '1 a'"},
      {form::Action::kUndo,
       {FailureKind::kNotRenamedEntry, dir / "a", dir / "1 a", denied},
       "Not put back: a cannot be looked at" + why},
      {form::Action::kPass,
       {FailureKind::kJournal, dir / "1 a", dir / "a", none},
       "Stopped before renaming '1 a' as a: the rename journal cannot be written"},
      {form::Action::kUndo,
       {FailureKind::kLeftover, dir / "a", {}, denied},
       "Could not remove a, left behind by a rename that was cut short" + why},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    PassReport report;
    report.failures.push_back(c.failure);
    const form::Message message = form::ReportMessage(c.action, report);
    EXPECT_EQ(Narrow(message.text), c.action == form::Action::kPass
                                        ? "1 failure while renaming."
                                        : "1 failure while putting names back.");
    EXPECT_EQ(Narrow(message.details), c.line);
  }

  PassReport kept;
  kept.kept = {{dir / "9 .a", KeptReason::kWouldHide},
               {dir / "99", KeptReason::kWouldBeEmpty},
               {dir / "1 journal", KeptReason::kIsJournal},
               {dir / "1 CON.txt", KeptReason::kDeviceName}};
  kept.failures.push_back({FailureKind::kRename, dir / "1 a", dir / "a", denied});
  const form::Message message = form::ReportMessage(form::Action::kPass, kept);
  EXPECT_EQ(Narrow(message.text), "1 failure while renaming. 4 entries kept their names.");
  EXPECT_EQ(Narrow(message.details),
            "Could not rename '1 a' as a" + why +
                "\n'9 .a' keeps its name: the new name would start with a dot and hide it"
                "\n99 keeps its name: nothing would be left of it"
                "\n'1 journal' keeps its name: it is the rename journal"
                "\n'1 CON.txt' keeps its name: the new name is one Windows keeps for a device");
  EXPECT_TRUE(form::ReportMessage(form::Action::kUndo, PassReport{}).text.empty());
}

}  // namespace
}  // namespace qomdex::testing
