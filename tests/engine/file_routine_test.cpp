#include "engine/file_routine.h"

#include <gtest/gtest.h>

#include "engine/fold.h"
#include "location/location_lists.h"
#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex {
namespace {

using testing::RunFilePass;
using testing::TempDir;
using testing::Utf8;
using Names = std::set<std::string>;

struct FilePassCase {
  const char* label;
  Names before;
  Names after;
  std::size_t copy_count;  // after the pass, starting from 0
  std::vector<std::string> failed = {};
};

const FilePassCase kCleansNamesAndSuffixesTakenOnesRows[] = {
    {"worked example", {"01 a.txt", "02 a.txt", "b.txt"}, {"a.txt", "a copy ( 1).txt", "b.txt"}, 2},
    {"empty directory", {}, {}, 0},
    {"several dots", {"01 a.tar.gz", "a.tar.gz"}, {"a.tar copy ( 1).gz", "a.tar.gz"}, 2},
    {"non-ASCII case",
     {"01 \xC3\x84RGER.txt", "\xC3\xA4rger.txt"},
     {"\xC3\x84RGER copy ( 1).txt", "\xC3\xA4rger.txt"},
     2},
    {"canonically equivalent names are one name",
     {"04 Caf\xC3\xA9.mp3", "06 Cafe\xCC\x81.mp3"},
     {"Caf\xC3\xA9.mp3", "Cafe\xCC\x81 copy ( 1).mp3"},
     1},
    {"taken copy-suffix name is refused, nothing replaced",
     {"01 a.txt", "a.txt", "a copy ( 1).txt"},
     {"01 a.txt", "a.txt", "a copy ( 1).txt"},
     3,
     {"01 a.txt"}},
#ifdef _WIN32
    // Windows drops the dot that would end a name, and no name hides a file.
    {"name cleaned to nothing counts as taken", {"99", "12 - 34"}, {" copy ( 1)", " copy ( 2)"}, 2},
    {"no extension", {"01 README", "README"}, {"README copy ( 1)", "README"}, 2},
    {"a later name matches the name Windows actually gave",
     {"01 README", "02 README copy ( 1)", "README"},
     {"README copy ( 1)", "README copy ( 1) copy ( 2)", "README"},
     3},
    {"a leading dot is given", {"99.txt", "a"}, {".txt", "a"}, 1},
    {"a leading-dot name is taken like any other",
     {".txt", "99.txt"},
     {".txt", ".txt copy ( 2)"},
     2},
#else
    {"name cleaned to nothing counts as taken",
     {"99", "12 - 34"},
     {" copy ( 1).", " copy ( 2)."},
     2},
    {"no extension", {"01 README", "README"}, {"README copy ( 1).", "README"}, 2},
    // Names that end in spaces, differ only in case or are not UTF-8 exist on POSIX only.
    {"case and end spaces ignored",
     {"01 Song.MP3", "song.mp3 "},
     {"Song copy ( 1).MP3", "song.mp3 "},
     2},
    {"every match counts", {"01 x", "x", "X"}, {"x copy ( 2).", "x", "X"}, 6},
    {"bytes that are not UTF-8 and control characters are kept",
     {"01 \xFF\xFE.txt", "02 line\nbreak"},
     {"\xFF\xFE.txt", "line\nbreak"},
     0},
    {"a name that would hide its file is not given; hidden files do not match",
     {".txt", "99.txt", "a"},
     {".txt", "99.txt", "a"},
     1},
#endif
};

class CleansNamesAndSuffixesTakenOnes : public ::testing::TestWithParam<FilePassCase> {};

TEST_P(CleansNamesAndSuffixesTakenOnes, Holds) {
  const FilePassCase& c = GetParam();
  TempDir dir;
  for (const auto& name : c.before) dir.Touch(name);
  PassState state;
  const PassReport report = RunFilePass(state, dir.path());
  EXPECT_EQ(dir.Names(), c.after);
  EXPECT_EQ(state.CopyCount, c.copy_count);
  EXPECT_EQ(testing::FailedNames(report), c.failed);
  for (const auto& renamed : report.renamed) {
    EXPECT_EQ(dir.Read(Utf8(NativeString(renamed.to))), Utf8(NativeString(renamed.from)))
        << "content travels with its name";
  }
  for (const auto& name : c.before) {
    if (c.after.contains(name)) {
      EXPECT_EQ(dir.Read(name), name) << "untouched file changed";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FileRoutineTest, CleansNamesAndSuffixesTakenOnes,
                         ::testing::ValuesIn(kCleansNamesAndSuffixesTakenOnesRows),
                         testing::kByLabel);

// Records the renames an observer is told of, by new name.
class RenamedNames : public PassObserver {
 public:
  bool EntryDone(std::size_t, std::size_t, const NativeString&) override { return true; }
  void Renamed(const std::filesystem::path&, NativeStringView, NativeStringView to) override {
    names.push_back(Utf8(NativeString(to)));
  }
  std::vector<std::string> names;
};

enum class Run {
  kWindow,      // FileRoutine: re-reads File2 before and File1 after
  kMirror,      // re-reads File2 only
  kListingOnly  // takes File1 as the names taken, as read before "a.txt" appeared
};
struct FrontEndsChooseWhatIsKeptAndReadNotWhatIsDoneCase {
  const char* label;
  Run run;
  bool keep_renamed;
  Names after;
  std::size_t kept_renames;
  std::size_t file1_count;  // after the pass
  std::size_t failures;
};
// "a.txt" appears after the lists were read: a listing taken as fresh does not see it, and
// the rename onto it is then refused, never made over it.
const FrontEndsChooseWhatIsKeptAndReadNotWhatIsDoneCase
    kFrontEndsChooseWhatIsKeptAndReadNotWhatIsDoneRows[] = {
        {"window", Run::kWindow, true, {"a copy ( 1).txt", "a.txt", "b.txt"}, 2, 3, 0},
        {"no report", Run::kWindow, false, {"a copy ( 1).txt", "a.txt", "b.txt"}, 0, 3, 0},
        {"mirror, no refresh", Run::kMirror, true, {"a copy ( 1).txt", "a.txt", "b.txt"}, 2, 2, 0},
        {"listing taken as fresh",
         Run::kListingOnly,
         true,
         {"01 a.txt", "a.txt", "b.txt"},
         1,
         2,
         1},
};

class FrontEndsChooseWhatIsKeptAndReadNotWhatIsDone
    : public ::testing::TestWithParam<FrontEndsChooseWhatIsKeptAndReadNotWhatIsDoneCase> {};

TEST_P(FrontEndsChooseWhatIsKeptAndReadNotWhatIsDone, Holds) {
  const FrontEndsChooseWhatIsKeptAndReadNotWhatIsDoneCase& c = GetParam();
  TempDir dir;
  dir.Touch("01 a.txt");
  dir.Touch("02 b.txt");
  LocationLists lists(Fold);
  lists.OpenDirectory(dir.path());
  dir.Touch("a.txt");
  RenamedNames observer;
  PassOptions options;
  options.keep_renamed = c.keep_renamed;
  options.observer = &observer;
  PassState state;
  FileList& file1 = lists.File1();
  const PassReport report = c.run == Run::kWindow
                                ? FileRoutine(state, file1, lists.File2(), options)
                                : RunPass(EntryKind::kFile, state, file1,
                                          c.run == Run::kMirror ? lists.File2() : file1, options);
  EXPECT_EQ(dir.Names(), c.after);
  EXPECT_EQ(observer.names.size(), 2 - c.failures);
  EXPECT_EQ(report.renamed.size(), c.kept_renames);
  EXPECT_EQ(file1.count(), c.file1_count);
  EXPECT_EQ(report.failures.size(), c.failures);
}

INSTANTIATE_TEST_SUITE_P(FileRoutineTest, FrontEndsChooseWhatIsKeptAndReadNotWhatIsDone,
                         ::testing::ValuesIn(kFrontEndsChooseWhatIsKeptAndReadNotWhatIsDoneRows),
                         testing::kByLabel);

}  // namespace
}  // namespace qomdex
