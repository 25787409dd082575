// The rename journal: what it records, what survives a process cut short, and how an undo from
// it puts back exactly what was renamed and removes what a cut-short rename left behind.

#include "engine/journal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "engine/undo.h"
#include "tests/engine/pass_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"
#ifndef _WIN32
#include "tests/support/fallback_calls.h"
#endif

namespace qomdex {
namespace {

using testing::TempDir;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

// Runs the file (or folder) pass over `dir` with a new journal at `file` (and `calls`, if any).
PassReport JournalledPass(const TempDir& dir, const fs::path& file, bool folders = false,
                          platform::SystemCalls* calls = nullptr) {
  RenameJournal journal(file);
  PassState state;
  const PassOptions options{.journal = &journal, .system_calls = calls};
  const PassReport report = folders ? testing::RunFolderPass(state, dir.path(), options)
                                    : testing::RunFilePass(state, dir.path(), options);
  EXPECT_FALSE(journal.Sync());
  return report;
}

TEST(JournalTest, UndoFromTheFilePutsBackEveryNameByItsExactBytesAndNeverTheJournal) {
  TempDir dir;
  // '04 README' becomes 'README copy ( 2).', which Windows gives without its final dot.
#ifdef _WIN32
  const Names before{"01 a.txt", "02 \xC3\xA4 b", "03 a.txt", "04 README", "README", "a.txt"};
#else
  const Names before{"01 a.txt", "02 \xFF b", "03 line\nbreak", "04 README", "README", "a.txt"};
#endif
  for (const auto& name : before) dir.Touch(name);
  const PassReport pass = JournalledPass(dir, dir / "00 journal");
  ASSERT_EQ(pass.renamed.size(), 4u);
  ASSERT_EQ(pass.kept.size(), 1u);
  EXPECT_EQ(pass.kept[0].reason, PassReport::KeptReason::kIsJournal);

  const PassReport undo = UndoJournal(dir / "00 journal");
  EXPECT_TRUE(undo.failures.empty());
  EXPECT_EQ(undo.renamed.size(), 4u);
  fs::remove(dir / "00 journal");
  EXPECT_EQ(dir.Names(), before);
  EXPECT_EQ(dir.Read("01 a.txt"), "01 a.txt");
}

TEST(JournalTest, AnExistingFileIsNeverTakenAsTheJournal) {
  TempDir dir;
  dir.Touch("journal", "precious");
  try {
    RenameJournal journal(dir / "journal");
    ADD_FAILURE() << "an existing file was opened as a journal";
  } catch (const fs::filesystem_error& error) {
    EXPECT_EQ(error.code(), std::errc::file_exists);
  }
  EXPECT_EQ(dir.Read("journal"), "precious");
  EXPECT_THROW(UndoJournal(dir / "journal"), fs::filesystem_error) << "not a journal";
}

TEST(JournalTest, TornLastRecordIsIgnored) {
  const struct {
    const char* label;
    std::size_t cut;  // bytes cut from the end
    bool garble;      // the last byte changed
  } cases[] = {{"hash cut", 1, false}, {"body cut", 20, false}, {"hash wrong", 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir, journal_dir;
    for (const char* name : {"01 a", "02 b", "03 c"}) dir.Touch(name);
    JournalledPass(dir, journal_dir / "journal");
    std::string bytes = journal_dir.Read("journal");
    bytes.resize(bytes.size() - c.cut);
    if (c.garble) bytes.back() = static_cast<char>(bytes.back() ^ 1);
    std::ofstream(journal_dir / "torn", std::ios::binary) << bytes;

    EXPECT_EQ(RenameJournal::Read(journal_dir / "torn").size(), 2u);
    EXPECT_TRUE(UndoJournal(journal_dir / "torn").failures.empty());
    EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b", "c"}));
  }
}

// A journal of the first version, as a pass of an earlier qomdex wrote it: the identity is the
// entry's two numbers alone.
std::string FirstVersionJournal(const fs::path& directory, const NativeString& from,
                                const NativeString& to, const platform::Identity& entry) {
  const auto number = [](std::string& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  const auto text = [&](std::string& out, const NativeString& units) {
    number(out, units.size() * sizeof(NativeChar), 4);
    for (const NativeChar unit : units) {
      number(out, static_cast<std::make_unsigned_t<NativeChar>>(unit), sizeof(NativeChar));
    }
  };
  std::string body(1, '\1');
  number(body, entry.device, 8);
  number(body, entry.file, 8);
  text(body, directory.native());
  text(body, from);
  text(body, to);
  std::uint32_t hash = 2166136261u;
  for (const char byte : body) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
  std::string journal = "QOMDEXRJ";
  number(journal, 1, 4);
  number(journal, body.size(), 4);
  journal += body;
  number(journal, hash, 4);
  return journal;
}

TEST(JournalTest, UndoStillReadsTheFirstVersion) {
  TempDir dir, journal_dir;
  dir.Touch("01 a");
  std::error_code error;
  const platform::Identity entry = platform::SystemCalls::Native().Identify(
      platform::Directory(dir.path()), testing::Native("01 a"), error);
  ASSERT_FALSE(error);
  fs::rename(dir / "01 a", dir / "a");
  std::ofstream(journal_dir / "journal", std::ios::binary)
      << FirstVersionJournal(dir.path(), testing::Native("01 a"), testing::Native("a"), entry);

  EXPECT_TRUE(UndoJournal(journal_dir / "journal").failures.empty());
  EXPECT_EQ(dir.Names(), Names{"01 a"});
}

TEST(JournalTest, UndoPassesOverRenamesNeverMadeAndLeavesOtherEntriesAlone) {
  TempDir dir, journal_dir;
  dir.Touch("01 a");
  dir.Touch("03 c");
  dir.MakeDir("c");  // the file's new name is refused after its record is written
  ASSERT_EQ(JournalledPass(dir, journal_dir / "journal").failures.size(), 1u);
  fs::rename(dir / "a", dir / "elsewhere");
  dir.Touch("a", "new");
  const Names meddled = dir.Names();

  const PassReport undo = UndoJournal(journal_dir / "journal");

  EXPECT_EQ(dir.Names(), meddled);
  EXPECT_EQ(dir.Read("a"), "new");
  EXPECT_TRUE(undo.renamed.empty());
  ASSERT_EQ(undo.failures.size(), 1u);
  EXPECT_EQ(undo.failures[0].kind, PassReport::FailureKind::kNotRenamedEntry);
  EXPECT_EQ(undo.failures[0].path, dir / "a");
}

#ifndef _WIN32  // Only the POSIX rename has fallbacks that take more than one step.
using Fallback = testing::FallbackCalls::Fallback;
struct CutCase {
  const char* name;
  Fallback fallback;
  bool folders;
};
const CutCase kCuts[] = {{"SecondLinkOfAFile", Fallback::kLink, false},
                         {"PlaceholderFile", Fallback::kReservation, false},
                         {"PlaceholderFolder", Fallback::kReservation, true}};
class JournalCutShortTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(JournalCutShortTest, UndoRemovesWhatARenameCutShortLeftBehind) {
  struct Killed {};
  const CutCase& c = GetParam();
  TempDir dir, journal_dir;
  for (const char* name : {"01 a", "02 b"}) c.folders ? dir.MakeDir(name) : dir.Touch(name);
  // The process dies in the middle of the first rename: nothing after it runs.
  testing::FallbackCalls killed(c.fallback, [] { throw Killed{}; });
  EXPECT_THROW(JournalledPass(dir, journal_dir / "journal", c.folders, &killed), Killed);
  ASSERT_EQ(dir.Names(), (Names{"01 a", "02 b", "a"})) << "the residue the cut left";

  const PassReport dry = UndoJournal(journal_dir / "journal", {.dry_run = true});
  EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b", "a"}));
  const PassReport undo = UndoJournal(journal_dir / "journal");

  EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b"}));
  EXPECT_EQ(undo.removed, std::vector<fs::path>{dir / "a"});
  EXPECT_EQ(dry.removed, undo.removed);
  EXPECT_TRUE(undo.failures.empty());
}
INSTANTIATE_TEST_SUITE_P(Cuts, JournalCutShortTest, ::testing::ValuesIn(kCuts),
                         [](const auto& row) { return std::string(row.param.name); });

// A kill after a placeholder is made but before its own record is written leaves an entry only
// the "reserving" record names: undo removes it if it is still empty, and nothing else.
TEST(JournalTest, UndoRemovesAPlaceholderOnlyItsAnnouncementNames) {
  using Failure = PassReport::FailureKind;
  const std::int64_t long_ago = platform::CurrentTime() - 3600 * platform::kTicksPerSecond;
  const struct {
    const char* label;
    bool folder;
    const char* content;  // what stands under the new name; null for an empty folder
    std::int64_t announced;
    bool removed;
    std::optional<Failure> failure;
  } cases[] = {
      {"empty file", false, "", platform::CurrentTime(), true, {}},
      {"empty folder", true, nullptr, platform::CurrentTime(), true, {}},
      {"a file another program filled", false, "theirs", platform::CurrentTime(), false,
       Failure::kNotEmpty},
      {"an empty file not made when announced", false, "", long_ago, false,
       Failure::kNotPlaceholder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir, journal_dir;
    dir.Touch("01 a");
    c.folder ? dir.MakeDir("a") : dir.Touch("a", c.content);
    {
      RenameJournal journal(journal_dir / "journal");
      std::error_code error;
      const platform::Identity entry = platform::SystemCalls::Native().Identify(
          platform::Directory(dir.path()), testing::Native("01 a"), error);
      ASSERT_FALSE(error);
      platform::Identity expected;
      expected.type =
          c.folder ? platform::Identity::Type::kFolder : platform::Identity::Type::kFile;
      ASSERT_FALSE(journal.Write({RenameJournal::Kind::kRename, dir.path(), testing::Native("01 a"),
                                  testing::Native("a"), entry}));
      ASSERT_FALSE(
          journal.Write({RenameJournal::Kind::kReserving, dir.path(), testing::Native("01 a"),
                         testing::Native("a"), expected, c.announced}));
    }
    const PassReport undo = UndoJournal(journal_dir / "journal");
    EXPECT_EQ(dir.Names(), c.removed ? Names{"01 a"} : (Names{"01 a", "a"}));
    if (c.failure) {
      ASSERT_EQ(undo.failures.size(), 1u);
      EXPECT_EQ(undo.failures[0].kind, *c.failure);
    } else {
      EXPECT_TRUE(undo.failures.empty());
    }
  }
}
#endif

}  // namespace
}  // namespace qomdex
