// Windows takes some names for devices in every directory; an entry given one through the
// extended form could no longer be opened, renamed or deleted by other programs, so the passes
// keep the old name instead.

#include <gtest/gtest.h>

#include <fstream>
#include <string_view>

#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex {
namespace {

using testing::TempDir;
using testing::Utf8;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

// Makes the entry through the extended form, which keeps the dots and spaces ending a name, as
// another system would leave them; a file holds its own name.
void Make(const TempDir& dir, const std::string& name, bool folder) {
  const fs::path extended = LR"(\\?\)" + (dir / name).native();
  if (folder) {
    fs::create_directory(extended);
  } else {
    std::ofstream(extended) << name;
  }
}

struct DeviceNameCase {
  const char* label;
  const char* name;
  bool folder;
  const char* after;  // the name itself when it is kept
};

// Names a row by its label in test output.
void PrintTo(const DeviceNameCase& c, std::ostream* out) { *out << c.label; }

class DeviceNameTest : public ::testing::TestWithParam<DeviceNameCase> {};

TEST_P(DeviceNameTest, KeepsItsNameOnlyWhenTheNewNameIsADevice) {
  const DeviceNameCase& c = GetParam();
  TempDir dir;
  Make(dir, c.name, c.folder);
  const auto pass = [&](PassState& state, bool dry_run) {
    return c.folder ? testing::RunFolderPass(state, dir.path(), {.dry_run = dry_run})
                    : testing::RunFilePass(state, dir.path(), {.dry_run = dry_run});
  };
  PassState dry_state, state;
  const PassReport dry = pass(dry_state, true);
  const PassReport real = pass(state, false);

  EXPECT_EQ(dir.Names(), Names{c.after});
  EXPECT_TRUE(real.failures.empty()) << real.failures[0].error.message();
  const bool kept = std::string_view(c.after) == c.name;
  for (const PassReport* report : {&dry, &real}) {
    SCOPED_TRACE(report == &dry ? "dry run" : "real run");
    if (kept) {
      ASSERT_EQ(report->kept.size(), 1u);
      EXPECT_EQ(report->kept[0].path, dir / c.name);
      EXPECT_EQ(report->kept[0].reason, PassReport::KeptReason::kDeviceName);
      EXPECT_TRUE(report->renamed.empty());
    } else {
      EXPECT_TRUE(report->kept.empty());
      EXPECT_EQ(testing::RenamedTo(*report), std::vector<std::string>{c.after});
    }
  }
  if (!kept && !c.folder) {
    EXPECT_EQ(dir.Read(c.after), c.name) << "content travels with its name";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DeviceNameTest,
    ::testing::Values(
        DeviceNameCase{"ConWithExtension", "01 CON.txt", false, "01 CON.txt"},
        DeviceNameCase{"PrnInLowerCase", "02 prn", false, "02 prn"},
        DeviceNameCase{"AuxInMixedCase", "03 Aux.mp3", false, "03 Aux.mp3"},
        DeviceNameCase{"NulWithTwoExtensions", "04 nul.tar.gz", false, "04 nul.tar.gz"},
        DeviceNameCase{"Com1", "05 COM1.txt", false, "05 COM1.txt"},
        DeviceNameCase{"Lpt9", "06 lpt9", false, "06 lpt9"},
        DeviceNameCase{"ConsoleInput", "07 CONIN$", false, "07 CONIN$"},
        DeviceNameCase{"ConsoleOutput", "08 conout$.log", false, "08 conout$.log"},
        DeviceNameCase{"ComSuperscriptOne", "09 COM\xC2\xB9.txt", false, "09 COM\xC2\xB9.txt"},
        DeviceNameCase{"LptSuperscriptThree", "10 lpt\xC2\xB3", false, "10 lpt\xC2\xB3"},
        DeviceNameCase{"SpaceBeforeTheDot", "11 con .txt", false, "11 con .txt"},
        DeviceNameCase{"EndingDot", "12 CON.", false, "12 CON."},
        DeviceNameCase{"EndingSpacesAndDots", "13 Nul . ", false, "13 Nul . "},
        DeviceNameCase{"LongerName", "14 CONSOLE.txt", false, "CONSOLE.txt"},
        DeviceNameCase{"ComZero", "15 COM0.txt", false, "COM0.txt"},
        DeviceNameCase{"LptTen", "16 LPT10", false, "LPT10"},
        DeviceNameCase{"ComSuperscriptFour", "17 COM\xE2\x81\xB4", false, "COM\xE2\x81\xB4"},
        DeviceNameCase{"NulWithALetterMore", "18 NULL", false, "NULL"},
        DeviceNameCase{"AuxAsAPrefix", "19 AUXILIARY.mp3", false, "AUXILIARY.mp3"},
        DeviceNameCase{"ConAsASuffix", "20 xCON", false, "xCON"},
        DeviceNameCase{"ConAfterADot", "21 .con", false, ".con"},
        DeviceNameCase{"FolderCon", "01 CON", true, "01 CON"},
        DeviceNameCase{"FolderNulWithExtension", "02. nul.d", true, "02. nul.d"},
        DeviceNameCase{"FolderConsole", "03 CONSOLE", true, "CONSOLE"}),
    [](const ::testing::TestParamInfo<DeviceNameCase>& row) { return row.param.label; });

// A kept entry was checked against the taken names like any other; keeping it adds no new name.
struct TakenCheckAndCopyCountAreThoseOfAnyEntryCase {
  const char* label;
  bool folder;
  std::vector<std::string> before;
  Names after;
  std::size_t copy_count;  // from 0
  std::vector<std::string> kept;
};
const TakenCheckAndCopyCountAreThoseOfAnyEntryCase kTakenCheckAndCopyCountAreThoseOfAnyEntryRows[] =
    {
        // "con.txt" takes the name, so the copy name, no device, is given; the first "nul.txt"
        // stays, so the second finds its new name free.
        {"files",
         false,
         {"con.txt", "01 CON.txt", "02 nul.txt", "03 nul.txt", "04 a", "a"},
         {"con.txt", "CON copy ( 1).txt", "02 nul.txt", "03 nul.txt", "a copy ( 2)", "a"},
         4,
         {"02 nul.txt", "03 nul.txt"}},
        {"folders",
         true,
         {"con", "01 CON", "02 nul", "03 nul"},
         {"con", "CON Copy ( 0)", "02 nul", "03 nul"},
         0,
         {"02 nul", "03 nul"}},
};

class TakenCheckAndCopyCountAreThoseOfAnyEntry
    : public ::testing::TestWithParam<TakenCheckAndCopyCountAreThoseOfAnyEntryCase> {};

TEST_P(TakenCheckAndCopyCountAreThoseOfAnyEntry, Holds) {
  const TakenCheckAndCopyCountAreThoseOfAnyEntryCase& c = GetParam();
  TempDir dir;
  for (const auto& name : c.before) Make(dir, name, c.folder);
  for (const bool dry_run : {true, false}) {
    SCOPED_TRACE(dry_run ? "dry run" : "real run");
    PassState state;
    const PassReport report = c.folder
                                  ? testing::RunFolderPass(state, dir.path(), {.dry_run = dry_run})
                                  : testing::RunFilePass(state, dir.path(), {.dry_run = dry_run});
    EXPECT_EQ(state.CopyCount, c.copy_count);
    std::vector<std::string> kept;
    for (const auto& entry : report.kept) kept.push_back(Utf8(entry.path.filename()));
    EXPECT_EQ(kept, c.kept);
    EXPECT_TRUE(report.failures.empty());
  }
  EXPECT_EQ(dir.Names(), c.after);
}

INSTANTIATE_TEST_SUITE_P(DeviceNameTest, TakenCheckAndCopyCountAreThoseOfAnyEntry,
                         ::testing::ValuesIn(kTakenCheckAndCopyCountAreThoseOfAnyEntryRows),
                         testing::kByLabel);

}  // namespace
}  // namespace qomdex
