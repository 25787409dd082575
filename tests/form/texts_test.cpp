#include "ui/form/texts.h"

#include <gtest/gtest.h>

#include "tests/form/fake_view.h"

namespace qomdex::testing {
namespace {

// Entries kept on purpose are counted and listed after the failures, and only beside failures.
TEST(ReportMessageTest, CountsTheKeptEntriesAndListsThemAfterTheFailures) {
  PassReport report;
  report.kept = {{"d/9 .a", PassReport::KeptReason::kWouldHide}};
  report.failures.push_back({PassReport::FailureKind::kRename, "d/a", "d/1 a", {}});
  const form::Message message = form::ReportMessage(form::Action::kUndo, report);
  EXPECT_EQ(Narrow(message.text), "1 failure while putting names back. 1 entry kept their names.");
  EXPECT_EQ(Narrow(message.details),
            "Could not put back a as '1 a'\n'9 .a' keeps its name: the new name would start with a "
            "dot and hide it");
  report.failures.clear();
  EXPECT_TRUE(form::ReportMessage(form::Action::kPass, report).text.empty());
}

}  // namespace
}  // namespace qomdex::testing
