// The rename journal: what it records, what survives a process cut short, and how an undo from
// it puts back exactly what was renamed and removes what a cut-short rename left behind.

#include "engine/journal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string_view>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "engine/undo.h"
#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"
#ifndef _WIN32
#include "tests/support/failing_calls.h"
#include "tests/support/fallback_calls.h"
#endif

namespace qomdex {
namespace {

using testing::TempDir;
using Names = std::set<std::string>;
namespace fs = std::filesystem;
using namespace std::string_view_literals;

// Runs the file (or folder) pass over `dir` with a new journal at `file` (and `calls`, if any).
PassReport JournalledPass(const fs::path& dir, const fs::path& file, bool folders = false,
                          platform::SystemCalls* calls = nullptr) {
  RenameJournal journal(file);
  PassState state;
  const PassOptions options{.journal = &journal, .system_calls = calls};
  const PassReport report = folders ? testing::RunFolderPass(state, dir, options)
                                    : testing::RunFilePass(state, dir, options);
  EXPECT_FALSE(journal.Sync());
  return report;
}
PassReport JournalledPass(const TempDir& dir, const fs::path& file, bool folders = false,
                          platform::SystemCalls* calls = nullptr) {
  return JournalledPass(dir.path(), file, folders, calls);
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
  const PassReport pass = JournalledPass(dir.path(), dir / "00 journal");
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

// Where each record of a journal the pass wrote begins.
std::vector<std::size_t> RecordStarts(const std::string& bytes) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    starts.push_back(at);
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = size << 8 | static_cast<unsigned char>(bytes[at + 4 + i]);
    at += 12 + size + 4;
  }
  return starts;
}

// What befalls a journal of three records after the pass wrote it.
enum class Harm { kCutEnd, kByteChanged, kLengthChanged, kHalfRecordBefore };
struct DamageCase {
  const char* name;
  Harm harm;
  std::size_t record;                         // the record harmed; kCutEnd: bytes cut from the end
  std::optional<std::size_t> damaged_record;  // where the damage is reported, if anywhere
  std::size_t unread;
  Names after_undo;
};
const DamageCase kDamages[] = {
    {"LastHashCutShort", Harm::kCutEnd, 1, {}, 0, {"01 a", "02 b", "c"}},
    {"LastBodyCutShort", Harm::kCutEnd, 20, {}, 0, {"01 a", "02 b", "c"}},
    {"LastMarkCutShort", Harm::kCutEnd, 0, {}, 0, {"01 a", "02 b", "c"}},
    {"ByteChangedInTheLastRecord", Harm::kByteChanged, 2, 2, 1, {"01 a", "02 b", "c"}},
    {"ByteChangedInTheMiddle", Harm::kByteChanged, 1, 1, 1, {"01 a", "b", "03 c"}},
    {"LengthChangedInTheMiddle", Harm::kLengthChanged, 1, 1, 1, {"01 a", "b", "03 c"}},
    {"LengthChangedInTheLastRecord", Harm::kLengthChanged, 2, 2, 1, {"01 a", "02 b", "c"}},
    // As a write cut short by a full disk leaves it, with the pass going on after it.
    {"HalfRecordBeforeWholeOnes", Harm::kHalfRecordBefore, 1, 1, 1, {"01 a", "02 b", "03 c"}},
};
class JournalDamageTest : public ::testing::TestWithParam<DamageCase> {};

// Only a last record cut short, as the death of the process leaves it, passes unreported; any
// other harm is reported where it is, and every record around it is still undone.
TEST_P(JournalDamageTest, IsReportedAndTheRestUndone) {
  const DamageCase& c = GetParam();
  TempDir dir, journal_dir;
  for (const char* name : {"01 a", "02 b", "03 c"}) dir.Touch(name);
  JournalledPass(dir, journal_dir / "journal");
  std::string bytes = journal_dir.Read("journal");
  std::vector<std::size_t> starts = RecordStarts(bytes);
  ASSERT_EQ(starts.size(), 3u);
  switch (c.harm) {
    case Harm::kCutEnd:
      bytes.resize(c.record == 0 ? starts[2] + 2 : bytes.size() - c.record);
      break;
    case Harm::kByteChanged: bytes[starts[c.record] + 12 + 30] ^= 1; break;
    case Harm::kLengthChanged: bytes[starts[c.record] + 4] ^= 1; break;
    case Harm::kHalfRecordBefore:
      bytes.insert(starts[c.record], bytes.substr(starts[c.record], 40));
      break;
  }
  std::ofstream(journal_dir / "harmed", std::ios::binary) << bytes;

  // A second undo, after the first added the records of its own fallback renames, reads the
  // journal alike.
#ifdef _WIN32
  platform::SystemCalls* const calls = nullptr;
#else
  testing::FallbackCalls fallback(testing::FallbackCalls::Fallback::kReservation);
  platform::SystemCalls* const calls = &fallback;
#endif
  for (const int round : {1, 2}) {
    SCOPED_TRACE(round);
    const PassReport undo = UndoJournal(journal_dir / "harmed", {.system_calls = calls});
    EXPECT_EQ(dir.Names(), c.after_undo);
    EXPECT_TRUE(undo.failures.empty());
    if (c.damaged_record) {
      ASSERT_EQ(undo.damaged.size(), 1u);
      EXPECT_EQ(undo.damaged[0].offset, starts[*c.damaged_record]);
      EXPECT_EQ(undo.damaged[0].unread, c.unread);
    } else {
      EXPECT_TRUE(undo.damaged.empty());
    }
  }
}
INSTANTIATE_TEST_SUITE_P(Harms, JournalDamageTest, ::testing::ValuesIn(kDamages),
                         [](const auto& row) { return std::string(row.param.name); });

// A name that is more than one name of its folder leads out of it: such a record is damage,
// and nothing is moved by it.
struct ForgedCase {
  const char* name;
  const char* old_name;
};
const ForgedCase kForgeries[] = {
    {"Parent", "../escaped.txt"},     {"Root", "/"}, {"AbsolutePath", "/tmp/escaped.txt"},
    {"SubFolder", "sub/escaped.txt"}, {"Dot", "."},  {"Empty", ""},
};
class JournalForgedNameTest : public ::testing::TestWithParam<ForgedCase> {};

TEST_P(JournalForgedNameTest, IsDamageAndMovesNothing) {
  TempDir dir, journal_dir;
  dir.Touch("a.txt");
  dir.MakeDir("sub");
  std::error_code error;
  const platform::Identity entry = platform::SystemCalls::Native().Identify(
      platform::Directory(dir.path()), testing::Native("a.txt"), error);
  ASSERT_FALSE(error);
  {
    RenameJournal journal(journal_dir / "journal");
    ASSERT_FALSE(journal.Write({RenameJournal::Kind::kRename, dir.path(),
                                testing::Native(GetParam().old_name), testing::Native("a.txt"),
                                entry, platform::CurrentTime()}));
  }
  const PassReport undo = UndoJournal(journal_dir / "journal");
  EXPECT_EQ(dir.Names(), (Names{"a.txt", "sub"}));
  EXPECT_TRUE(fs::is_empty(dir / "sub"));
  EXPECT_TRUE(undo.renamed.empty());
  ASSERT_EQ(undo.damaged.size(), 1u);
  EXPECT_EQ(undo.damaged[0].offset, 12u);
}
INSTANTIATE_TEST_SUITE_P(Forgeries, JournalForgedNameTest, ::testing::ValuesIn(kForgeries),
                         [](const auto& row) { return std::string(row.param.name); });

// A journal as a pass of an earlier qomdex wrote it, records unmarked: in version 1 the
// identity is the entry's two numbers alone, and a record holds no time.
std::string OlderJournal(std::uint32_t version, const fs::path& directory, const NativeString& from,
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
  if (version > 1) number(body, static_cast<std::uint64_t>(platform::CurrentTime()), 8);
  number(body, entry.device, 8);
  number(body, entry.file, 8);
  if (version > 1) {
    number(body, entry.size, 8);
    number(body, static_cast<std::uint64_t>(entry.modified), 8);
    number(body, static_cast<std::uint64_t>(entry.born), 8);
    number(body, entry.mount, 8);
    number(body, static_cast<std::uint64_t>(entry.type), 1);
    number(body, entry.numbers_durable ? 1 : 0, 1);
  }
  text(body, directory.native());
  text(body, from);
  text(body, to);
  std::uint32_t hash = 2166136261u;
  for (const char byte : body) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
  std::string journal = "QOMDEXRJ";
  number(journal, version, 4);
  number(journal, body.size(), 4);
  journal += body;
  number(journal, hash, 4);
  return journal;
}

class JournalOlderVersionTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(JournalOlderVersionTest, IsStillUndone) {
  TempDir dir, journal_dir;
  dir.Touch("01 a");
  std::error_code error;
  const platform::Identity entry = platform::SystemCalls::Native().Identify(
      platform::Directory(dir.path()), testing::Native("01 a"), error);
  ASSERT_FALSE(error);
  fs::rename(dir / "01 a", dir / "a");
  std::ofstream(journal_dir / "journal", std::ios::binary)
      << OlderJournal(GetParam(), dir.path(), testing::Native("01 a"), testing::Native("a"), entry);

  EXPECT_TRUE(UndoJournal(journal_dir / "journal").failures.empty());
  EXPECT_EQ(dir.Names(), Names{"01 a"});
}
INSTANTIATE_TEST_SUITE_P(Versions, JournalOlderVersionTest, ::testing::Values(1u, 2u),
                         [](const auto& row) { return "Version" + std::to_string(row.param); });

// What undo refuses to take for a journal: a file no pass wrote, one that is no regular file
// (reading a device or a pipe would never end), and one someone else could have written.
enum class Made { kContent, kFolder, kFifo, kDevice, kWritableByOthers, kOtherUsers };
struct RefusalCase {
  const char* name;
  Made made;
  std::string_view content;
  JournalError error;
};
const RefusalCase kRefusals[] = {
    {"TextFile", Made::kContent, "root:x:0:0:root:/root:/bin/sh\n", JournalError::kNotAJournal},
    {"EmptyFile", Made::kContent, "", JournalError::kNotAJournal},
    {"RandomBytes", Made::kContent, "\x8f\x02QOMDEXR\xc3\x11", JournalError::kNotAJournal},
    {"NewerVersion", Made::kContent, "QOMDEXRJ\x09\0\0\0"sv, JournalError::kNotAJournal},
    {"Folder", Made::kFolder, "", JournalError::kNotRegularFile},
#ifndef _WIN32
    {"PipeWithoutWriter", Made::kFifo, "", JournalError::kNotRegularFile},
    {"EndlessDevice", Made::kDevice, "", JournalError::kNotRegularFile},
    {"WritableByOthers", Made::kWritableByOthers, "", JournalError::kWritableByOthers},
    {"AnotherUsers", Made::kOtherUsers, "", JournalError::kOtherUsersFile},
#endif
};
class JournalRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(JournalRefusalTest, IsNoJournalToUndo) {
  const RefusalCase& c = GetParam();
  TempDir dir, journal_dir;
  dir.Touch("01 a");
  fs::path file = journal_dir / "journal";
  switch (c.made) {
    case Made::kContent: std::ofstream(file, std::ios::binary) << c.content; break;
    case Made::kFolder: fs::create_directory(file); break;
#ifndef _WIN32
    case Made::kFifo: ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); break;
    case Made::kDevice: file = "/dev/zero"; break;
    case Made::kWritableByOthers:
    case Made::kOtherUsers:
      JournalledPass(dir, file);
      if (c.made == Made::kWritableByOthers) {
        fs::permissions(file, fs::perms::others_write, fs::perm_options::add);
      } else if (chown(file.c_str(), 65534, 65534) != 0) {
        GTEST_SKIP() << "only the superuser can give a file away";
      }
      break;
#else
    default: break;
#endif
  }
  try {
    UndoJournal(file);
    ADD_FAILURE() << "taken for a journal";
  } catch (const fs::filesystem_error& error) {
    EXPECT_EQ(error.code(), MakeErrorCode(c.error)) << error.code().message();
  }
  EXPECT_EQ(dir.Names(), c.made >= Made::kWritableByOthers ? Names{"a"} : Names{"01 a"});
}
INSTANTIATE_TEST_SUITE_P(Files, JournalRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(JournalTest, UndoPassesOverRenamesNeverMadeAndLeavesOtherEntriesAlone) {
  TempDir dir, journal_dir;
  dir.Touch("01 a");
  dir.Touch("03 c");
  dir.MakeDir("c");  // the file's new name is refused after its record is written
  ASSERT_EQ(JournalledPass(dir.path(), journal_dir / "journal").failures.size(), 1u);
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
// A kill, as far as the code it cuts short can tell.
struct Killed {};
using Moment = testing::FallbackCalls::Moment;
struct CutCase {
  const char* name;
  Fallback fallback;
  bool folders;
  Moment moment = Moment::kBetweenTheSteps;
};
const CutCase kCuts[] = {
    {"SecondLinkOfAFile", Fallback::kLink, false},
    {"OldNameOfALinkedFileSetAside", Fallback::kLink, false, Moment::kOnceTheOldNameIsAside},
    {"PlaceholderFile", Fallback::kReservation, false},
    {"PlaceholderFolder", Fallback::kReservation, true}};
class JournalCutShortTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(JournalCutShortTest, UndoRemovesWhatARenameCutShortLeftBehind) {
  const CutCase& c = GetParam();
  TempDir dir, journal_dir;
  for (const char* name : {"01 a", "02 b"}) c.folders ? dir.MakeDir(name) : dir.Touch(name);
  // The process dies in the middle of the first rename: nothing after it runs.
  testing::FallbackCalls killed(
      c.fallback, [] { throw Killed{}; }, c.moment);
  EXPECT_THROW(JournalledPass(dir.path(), journal_dir / "journal", c.folders, &killed), Killed);
  // The first rename's residue: a second name of "01 a", the old or a private one.
  const Names cut = dir.Names();
  ASSERT_EQ(cut.size(), 3u);
  ASSERT_TRUE(cut.contains("02 b") && cut.contains("a"));
  const std::string residue = cut.contains("01 a") ? "a" : *cut.begin();

  const PassReport dry = UndoJournal(journal_dir / "journal", {.dry_run = true});
  EXPECT_EQ(dir.Names(), cut);
  const PassReport undo = UndoJournal(journal_dir / "journal");

  EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b"}));
  if (!c.folders) {
    EXPECT_EQ(dir.Read("01 a"), "01 a");
  }
  EXPECT_EQ(undo.removed, std::vector<fs::path>{dir / residue});
  EXPECT_EQ(dry.removed, undo.removed);
  EXPECT_TRUE(undo.failures.empty());
}
INSTANTIATE_TEST_SUITE_P(Cuts, JournalCutShortTest, ::testing::ValuesIn(kCuts),
                         [](const auto& row) { return std::string(row.param.name); });

// The journal's file may fill up at each of the records a fallback rename writes: the pass then
// says the journal could not be written, renames nothing more, and leaves nothing behind.
struct FullCase {
  const char* name;
  std::size_t whole_records;  // records written whole before the one that does not fit
};
const FullCase kFulls[] = {{"AtTheRename", 0}, {"AtTheReservation", 1}, {"AtThePlaceholder", 2}};
class JournalFullTest : public ::testing::TestWithParam<FullCase> {};

TEST_P(JournalFullTest, StopsThePassAsAJournalFailure) {
  TempDir dir, journal_dir;
  dir.Touch("01 a");
  dir.Touch("02 b");
  // The journal's first append is its header.
  testing::FailingCalls full(testing::FailingCalls::Call::kAppend,
                             2 + static_cast<int>(GetParam().whole_records),
                             std::make_error_code(std::errc::no_space_on_device));
  testing::FallbackCalls calls(testing::FallbackCalls::Fallback::kReservation);
  PassReport pass;
  {
    RenameJournal journal(journal_dir / "journal", full);
    PassState state;
    pass = testing::RunFilePass(state, dir.path(), {.journal = &journal, .system_calls = &calls});
  }

  ASSERT_EQ(pass.failures.size(), 1u);
  EXPECT_EQ(pass.failures[0].kind, PassReport::FailureKind::kJournal);
  EXPECT_EQ(pass.failures[0].error, std::errc::no_space_on_device);
  EXPECT_TRUE(pass.stopped);
  EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b"}));
  const PassReport undo = UndoJournal(journal_dir / "journal");
  EXPECT_TRUE(undo.damaged.empty());
  EXPECT_TRUE(undo.failures.empty());
  EXPECT_EQ(dir.Names(), (Names{"01 a", "02 b"}));
}
INSTANTIATE_TEST_SUITE_P(Records, JournalFullTest, ::testing::ValuesIn(kFulls),
                         [](const auto& row) { return std::string(row.param.name); });

// A kill after a placeholder is made but before its own record is written leaves an entry only
// the "reserving" record names: undo removes it if it is still empty, and nothing else.
using Failure = PassReport::FailureKind;
struct UndoRemovesAPlaceholderOnlyItsAnnouncementNamesCase {
  const char* label;
  bool folder;
  const char* content;         // what stands under the new name; null for an empty folder
  std::int64_t announced_ago;  // seconds before the row runs
  bool removed;
  std::optional<Failure> failure;
};
const UndoRemovesAPlaceholderOnlyItsAnnouncementNamesCase
    kUndoRemovesAPlaceholderOnlyItsAnnouncementNamesRows[] = {
        {"empty file", false, "", 0, true, {}},
        {"empty folder", true, nullptr, 0, true, {}},
        {"a file another program filled", false, "theirs", 0, false, Failure::kNotEmpty},
        {"an empty file not made when announced", false, "", 3600, false, Failure::kNotPlaceholder},
};

class UndoRemovesAPlaceholderOnlyItsAnnouncementNames
    : public ::testing::TestWithParam<UndoRemovesAPlaceholderOnlyItsAnnouncementNamesCase> {};

TEST_P(UndoRemovesAPlaceholderOnlyItsAnnouncementNames, Holds) {
  const UndoRemovesAPlaceholderOnlyItsAnnouncementNamesCase& c = GetParam();
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
    expected.type = c.folder ? platform::Identity::Type::kFolder : platform::Identity::Type::kFile;
    ASSERT_FALSE(journal.Write({RenameJournal::Kind::kRename, dir.path(), testing::Native("01 a"),
                                testing::Native("a"), entry}));
    ASSERT_FALSE(journal.Write(
        {RenameJournal::Kind::kReserving, dir.path(), testing::Native("01 a"), testing::Native("a"),
         expected, platform::CurrentTime() - c.announced_ago * platform::kTicksPerSecond}));
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

INSTANTIATE_TEST_SUITE_P(JournalTest, UndoRemovesAPlaceholderOnlyItsAnnouncementNames,
                         ::testing::ValuesIn(kUndoRemovesAPlaceholderOnlyItsAnnouncementNamesRows),
                         testing::kByLabel);
#endif

// What an undo from a journal must still do after what users, other programs and kills do
// meanwhile: each row sets the scene and returns the journals to undo, newest first. The undos
// put back everything and fail nothing, and a second undo of each finds every entry under its old
// name already.
struct LaterCase {
  const char* name;
  Names first_names;  // "NAME/": a folder holding the file "NAME/in"; else a file
  std::vector<fs::path> (*scene)(const TempDir& dir, const TempDir& journals);
  Names after_undo;              // every entry, folders' contents included ("NAME/in")
  const char* theirs = nullptr;  // another program's empty file, which must stay
};

// Asks the undo to stop once it has put back one entry, as a signal would.
class StopAfterFirst : public PassObserver {
 public:
  bool EntryDone(std::size_t, std::size_t, const NativeString&) override { return true; }
  bool StopRequested() override { return put_back_ > 0; }
  void Renamed(const fs::path&, NativeStringView, NativeStringView) override { ++put_back_; }

 private:
  int put_back_ = 0;
};

#ifndef _WIN32
// Another program makes the new name "a" the instant before qomdex reserves it.
class TakenJustBeforeReserve : public testing::FallbackCalls {
 public:
  explicit TakenJustBeforeReserve(const TempDir& dir)
      : FallbackCalls(Fallback::kReservation), dir_(dir) {}
  platform::Placeholder Reserve(const platform::Directory& directory, const NativeString& name,
                                bool folder, std::error_code& error) override {
    dir_.Touch("a", "");
    return FallbackCalls::Reserve(directory, name, folder, error);
  }

 private:
  const TempDir& dir_;
};

std::vector<fs::path> UndoKilledMidRename(const TempDir& dir, const TempDir& journals, bool folders,
                                          Fallback fallback,
                                          Moment moment = Moment::kBetweenTheSteps) {
  JournalledPass(dir.path(), journals / "j", folders);
  testing::FallbackCalls killed(
      fallback, [] { throw Killed{}; }, moment);
  EXPECT_THROW(UndoJournal(journals / "j", {.system_calls = &killed}), Killed);
  return {journals / "j"};
}
#endif

class UndoLaterTest : public ::testing::TestWithParam<LaterCase> {};

TEST_P(UndoLaterTest, PutsBackWhatWasRenamedAndNothingElse) {
  const LaterCase& c = GetParam();
  TempDir dir, journals;
  for (const std::string& name : c.first_names) {
    if (name.ends_with('/')) {
      dir.MakeDir(name);
      dir.Touch(name + "in");
    } else {
      dir.Touch(name);
    }
  }
  for (const fs::path& journal : c.scene(dir, journals)) {
    const PassReport undo = UndoJournal(journal);
    EXPECT_EQ(testing::FailedNames(undo), std::vector<std::string>{}) << journal;
    EXPECT_FALSE(undo.stopped);
    const PassReport again = UndoJournal(journal);
    EXPECT_TRUE(again.renamed.empty() && again.removed.empty() && again.failures.empty())
        << "a second undo of " << journal;
  }
  Names names;
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    const std::string name = fs::relative(entry.path(), dir.path()).string();
    names.insert(name);
    if (entry.is_regular_file()) {
      EXPECT_TRUE(dir.Read(name).starts_with(name == (c.theirs ? c.theirs : "") ? "" : name))
          << name << " holds " << dir.Read(name);
    }
  }
  EXPECT_EQ(names, c.after_undo);
}

const LaterCase kLater[] = {
    {"StoppedUndoFinishedByTheNext",
     {"01 a", "02 b", "03 c"},
     [](const TempDir& dir, const TempDir& journals) {
       JournalledPass(dir.path(), journals / "j");
       StopAfterFirst stop;
       const PassReport stopped = UndoJournal(journals / "j", {.observer = &stop});
       EXPECT_TRUE(stopped.stopped);
       EXPECT_EQ(stopped.renamed.size(), 1u);
       return std::vector<fs::path>{journals / "j"};
     },
     {"01 a", "02 b", "03 c"}},
// Under wine a file's creation time moves when it is written to; only POSIX has fallbacks.
#ifndef _WIN32
    {"WrittenToAfterTheRename",
     {"01 a", "02 b"},
     [](const TempDir& dir, const TempDir& journals) {
       JournalledPass(dir.path(), journals / "j");
       std::ofstream(dir / "a", std::ios::app) << " tagged";
       return std::vector<fs::path>{journals / "j"};
     },
     {"01 a", "02 b"}},
    {"FolderPassThenFilePassInside",
     {"01 x/", "02 y/"},
     [](const TempDir& dir, const TempDir& journals) {
       JournalledPass(dir.path(), journals / "folders", true);
       dir.Touch("x/03 f", "01 x/03 f");
       JournalledPass(dir / "x", journals / "files");
       return std::vector<fs::path>{journals / "files", journals / "folders"};
     },
     {"01 x", "01 x/in", "01 x/03 f", "02 y", "02 y/in"}},
    {"ReservationRefusedLeavesTheNameTo",
     {"01 a"},
     [](const TempDir& dir, const TempDir& journals) {
       TakenJustBeforeReserve calls(dir);
       EXPECT_EQ(testing::FailedNames(JournalledPass(dir.path(), journals / "j", false, &calls)),
                 std::vector<std::string>{"01 a"});
       return std::vector<fs::path>{journals / "j"};
     },
     {"01 a", "a"},
     "a"},
    {"UndoKilledWhileReservingAFileName",
     {"01 a", "02 b"},
     [](const TempDir& dir, const TempDir& journals) {
       return UndoKilledMidRename(dir, journals, false, Fallback::kReservation);
     },
     {"01 a", "02 b"}},
    {"UndoKilledOnceTheNameToGoIsSetAside",
     {"01 a", "02 b"},
     [](const TempDir& dir, const TempDir& journals) {
       return UndoKilledMidRename(dir, journals, false, Fallback::kLink,
                                  Moment::kOnceTheOldNameIsAside);
     },
     {"01 a", "02 b"}},
    {"UndoKilledWhileReservingAFolderName",
     {"01 x/", "02 y/"},
     [](const TempDir& dir, const TempDir& journals) {
       return UndoKilledMidRename(dir, journals, true, Fallback::kReservation);
     },
     {"01 x", "01 x/in", "02 y", "02 y/in"}},
#endif
};
INSTANTIATE_TEST_SUITE_P(Later, UndoLaterTest, ::testing::ValuesIn(kLater),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex
