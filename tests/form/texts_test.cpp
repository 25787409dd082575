#include "ui/form/texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "present/outcome_words.h"
#include "tests/form/fake_view.h"
#include "tests/support/utf8_names.h"

namespace qomdex::testing {
namespace {

// Entries kept on purpose are counted and listed after the failures, and only beside failures.
TEST(ReportMessageTest, CountsTheKeptEntriesAndListsThemAfterTheFailures) {
  PassReport report;
  report.kept = {{"d/9 .a", PassReport::KeptReason::kWouldHide}};
  report.failures.push_back({PassReport::FailureKind::kRename, "d/a", "d/1 a", {}});
  const form::Message message = form::ReportMessage(form::Action::kUndo, report);
  EXPECT_EQ(Narrow(message.text), "1 failure while putting names back. 1 entry kept its name.");
  EXPECT_EQ(Narrow(message.details),
            "Could not put back a as '1 a'\n'9 .a' keeps its name: the new name would start with a "
            "dot and hide it");
  report.failures.clear();
  EXPECT_TRUE(form::ReportMessage(form::Action::kPass, report).text.empty());
}

// A report with `failures` failures and `kept` entries kept on purpose.
PassReport Counted(std::size_t failures, std::size_t kept) {
  PassReport report;
  report.failures.assign(failures, {PassReport::FailureKind::kRename, "d/a", "d/1 a", {}});
  report.kept.assign(kept, {"d/9 .a", PassReport::KeptReason::kWouldHide});
  return report;
}

// Every sentence that counts something agrees with its count: one is singular, else plural.
struct CountCase {
  const char* name;
  std::function<std::string()> text;
  const char* expected;
};

void PrintTo(const CountCase& row, std::ostream* out) { *out << row.name; }

class CountWordsTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountWordsTest, AgreesWithItsCount) { EXPECT_EQ(GetParam().text(), GetParam().expected); }

const CountCase kCountCases[] = {
    {"OneEntryKept",
     [] { return Narrow(form::ReportMessage(form::Action::kPass, Counted(2, 1)).text); },
     "2 failures while renaming. 1 entry kept its name."},
    {"TwoEntriesKept",
     [] { return Narrow(form::ReportMessage(form::Action::kPass, Counted(1, 2)).text); },
     "1 failure while renaming. 2 entries kept their names."},
    {"UndoOfOne", [] { return Narrow(form::UndoText(1)); }, "Undo last rename (1 entry)"},
    {"PreviewOfOneFolder", [] { return Narrow(form::PreviewHeading(true, 1, {.renamed = 1})); },
     "1 folder: 1 would be renamed, 0 kept, 0 refused. Nothing has been renamed."},
    {"PreviewWithOneLeftOut",
     [] { return Narrow(form::PreviewHeading(false, 3, {.renamed = 1, .left_out = 1})); },
     "3 files: 1 would be renamed, 1 left out, 0 kept, 0 refused. Nothing has been renamed."},
    {"OneLineLost", [] { return present::LostLinesText(1); },
     "1 rename was made whose line was lost"},
    {"ManyLinesLost", [] { return present::LostLinesText(1204); },
     "1204 renames were made whose lines were lost"},
};

INSTANTIATE_TEST_SUITE_P(Counts, CountWordsTest, ::testing::ValuesIn(kCountCases),
                         [](const auto& row) { return std::string(row.param.name); });

// Two different names never show alike in a list: a name shows as it is only where it could not
// be another name's quoted form, and a quoted form is never another name's.
TEST(ShownNameTest, NoTwoNamesShowAlike) {
  std::vector<NativeString> names;
  for (const char* name : {"03\ttab.txt", "03\\ttab.txt", "it's", "a b", "'Til Tuesday.mp3",
                           "evil\xE2\x80\xAEtxt", "x\xC2\xA0y", "'", "\"\"", "", "say \"hi\""}) {
    names.push_back(Native(name));
  }
  EXPECT_EQ(form::ShownName(Native("a b")), u"a b");
  EXPECT_EQ(form::ShownName(Native("'Til Tuesday.mp3")), u"'Til Tuesday.mp3");
  EXPECT_EQ(form::ShownName(Native("03\ttab.txt")), u"'03'$'\\t''tab.txt'");
  // Every name shown, taken as a name of its own, twice over.
  for (int round = 0; round < 2; ++round) {
    const std::size_t count = names.size();
    for (std::size_t i = 0; i < count; ++i) {
      names.push_back(std::filesystem::path(form::ShownName(names[i])).native());
    }
  }
  std::map<std::u16string, NativeString> name_shown_alike;
  for (const NativeString& name : names) {
    const auto [entry, first] = name_shown_alike.emplace(form::ShownName(name), name);
    EXPECT_TRUE(first || entry->second == name)
        << "[" << Utf8(name) << "] and [" << Utf8(entry->second) << "] show alike";
  }
}

}  // namespace
}  // namespace qomdex::testing
