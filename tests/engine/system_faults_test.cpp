// A system call failing in the middle of a pass, as a broken disk or a full one would make it
// fail: the pass reports it, stops when what it renames could no longer be undone, and every
// rename it made can be undone from its journal.

#include <gtest/gtest.h>

#include "engine/journal.h"
#include "engine/undo.h"
#include "tests/engine/pass_fixture.h"
#include "tests/support/failing_calls.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::FailingCalls;
using testing::TempDir;
using Names = std::set<std::string>;

struct SystemFault {
  const char* name;
  FailingCalls::Call call;
  int nth;  // the journal's header is its first write, each rename's record one more
  Names after;
  PassReport::FailureKind failure;
  bool stopped;
};

class SystemFaultTest : public ::testing::TestWithParam<SystemFault> {};

TEST_P(SystemFaultTest, IsReportedAndEveryRenameMadeIsInTheJournal) {
  const SystemFault& c = GetParam();
  const Names before{"01 a", "02 b", "03 c"};
  TempDir dir;
  TempDir elsewhere;
  for (const auto& name : before) dir.Touch(name);
  FailingCalls calls(c.call, c.nth);
  PassReport report;
  {
    RenameJournal journal(elsewhere / "journal", calls);
    PassState state;
    report = testing::RunFilePass(state, dir.path(), {.journal = &journal, .system_calls = &calls});
  }

  EXPECT_EQ(dir.Names(), c.after);
  EXPECT_EQ(report.stopped, c.stopped);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].kind, c.failure);
  EXPECT_EQ(report.failures[0].error, std::errc::io_error);
  const PassReport undo = UndoJournal(elsewhere / "journal");
  EXPECT_TRUE(undo.failures.empty());
  EXPECT_EQ(dir.Names(), before);
}

const SystemFault kFaults[] = {
    {"JournalCannotBeWrittenSoThePassStops", FailingCalls::Call::kAppend, 3,
     Names{"a", "02 b", "03 c"}, PassReport::FailureKind::kJournal, true},
    {"JournalCannotBeWrittenBeforeTheFirstRename", FailingCalls::Call::kAppend, 2,
     Names{"01 a", "02 b", "03 c"}, PassReport::FailureKind::kJournal, true},
    {"EntryThatCannotBeLookedAtKeepsItsNameAndThePassGoesOn", FailingCalls::Call::kIdentify, 2,
     Names{"a", "02 b", "c"}, PassReport::FailureKind::kRename, false},
};

INSTANTIATE_TEST_SUITE_P(Faults, SystemFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex
