// --exclude leaves out the entries whose own names match a shell wildcard, as the window's
// unticked entries are left out: kept, and counted as entries with nothing to cut, in both passes,
// recursively, dry and with a journal. And the command line's conventions: bundled short
// options, a value after '='.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/wildcard.h"
#include "location/text_encoding.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

#ifndef _WIN32
#include <fnmatch.h>

#include <clocale>
#endif

namespace qomdex::cli {
namespace {

using testing::TempDir;
using testing::Utf8;
using Names = std::set<std::string>;

struct WildcardCase {
  const char* name;
  const char* pattern;
  const char* entry;  // UTF-8
  bool matches;
};

const WildcardCase kWildcards[] = {
    {"StarAndLiteral", "10cc*", "10cc - Dreadlock Holiday.mp3", true},
    {"WholeNameOnly", "50", "50 Cent", false},
    {"CaseCounts", "2pac*", "2Pac - Changes.mp3", false},
    {"QuestionIsOneCharacter", "?Pac*", "2Pac - Changes.mp3", true},
    {"QuestionIsOneCharacterNotOneByte", "?.txt", "\xC3\xA9.txt", true},
    {"Range", "[0-9][0-9]cc*", "10cc.mp3", true},
    {"NegatedSet", "[!0-9]*", "10cc.mp3", false},
    {"CaretNegatesToo", "[^a]b", "cb", true},
    {"BracketFirstInASetIsAMember", "[]]x", "]x", true},
    {"UnclosedBracketIsItself", "[ab", "[ab", true},
    {"DashLastInASetIsAMember", "[a-]", "-", true},
    {"Class", "[[:digit:]][[:space:]]*", "1 a", true},
    {"EscapedStar", "\\*x", "*x", true},
    {"EscapedStarIsNotAWildcard", "\\*x", "ax", false},
    {"StarsBacktrack", "a*b*c", "axxbyyc", true},
    {"StarMatchesALeadingDot", "*", ".hidden", true},
    {"StarMatchesNothingAtTheEnd", "abc*", "abc", true},
    {"TrailingBackslashMatchesNothing", "a\\", "a\\", false},
};

class WildcardTest : public ::testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardTest, MatchesAsFnmatchWithoutFlags) {
  const WildcardCase& c = GetParam();
  EXPECT_EQ(Wildcard(c.pattern).Matches(NativeFromUtf8(c.entry)), c.matches);
#ifndef _WIN32
  // The row itself is what fnmatch says, in a UTF-8 locale.
  const char* locale = std::setlocale(LC_CTYPE, "C.UTF-8");
  ASSERT_NE(locale, nullptr);
  EXPECT_EQ(fnmatch(c.pattern, c.entry, 0) == 0, c.matches);
  std::setlocale(LC_CTYPE, "C");
#endif
}

INSTANTIATE_TEST_SUITE_P(Patterns, WildcardTest, ::testing::ValuesIn(kWildcards),
                         [](const auto& row) { return std::string(row.param.name); });

struct RunCase {
  const char* name;
  std::vector<std::string> entries;  // a name ending in '/' is a folder
  std::vector<std::string> args;     // "DIR" stands for the directory
  int status;
  const char* out;  // "DIR" stands for the directory, as printed
  Names after;      // the entries afterwards, folders' contents as "folder/name"
};

const RunCase kRuns[] = {
    // Left out, '01 a.txt' counts as an unchanged name: it matches itself, so the copy number
    // after it is 2, not 1.
    {"ExcludedFileCountsAsItselfInTheCopyNumbersAfterIt",
     {"01 a.txt", "02 b.txt", "b.txt"},
     {"--exclude", "01*", "DIR"},
     0,
     "'02 b.txt' -> 'b copy ( 2).txt'\n",
     {"01 a.txt", "b copy ( 2).txt", "b.txt"}},
    {"ExcludedFileLeavesItsNewNameFree",
     {"01 a.txt", "1 a.txt"},
     {"--exclude=01 a.txt", "DIR"},
     0,
     "'1 a.txt' -> a.txt\n",
     {"01 a.txt", "a.txt"}},
    {"DryRunSaysTheSame",
     {"01 a.txt", "02 b.txt", "b.txt"},
     {"-n", "--exclude", "01*", "DIR"},
     0,
     "'02 b.txt' -> 'b copy ( 2).txt'\n",
     {"01 a.txt", "02 b.txt", "b.txt"}},
    {"RepeatedPatternsEachLeaveOut",
     {"10cc - Dreadlock Holiday.mp3", "2Pac - Changes.mp3", "03 Song.mp3"},
     {"--exclude", "10cc*", "--exclude", "2Pac*", "DIR"},
     0,
     "'03 Song.mp3' -> Song.mp3\n",
     {"10cc - Dreadlock Holiday.mp3", "2Pac - Changes.mp3", "Song.mp3"}},
    // A folder's copy number is its place in the listing, which a folder left out keeps.
    {"ExcludedFolderLeavesTheCopyNumbersAfterItAsTheyWere",
     {"01 x/", "02 x/", "x/"},
     {"--folders", "--exclude", "01 x", "DIR"},
     0,
     "'02 x' -> 'x Copy ( 1)'\n",
     {"01 x", "x Copy ( 1)", "x"}},
    // Matched against each entry's own name, never its folder's path; a folder left out is still
    // entered.
    {"RecursiveMatchesOwnNamesAndEntersFoldersLeftOut",
     {"50 Cent/", "50 Cent/01 In Da Club.mp3", "50 Cent/50 Cent.txt", "01 a.txt"},
     {"-rn", "--folders", "--exclude", "50 Cent", "DIR"},
     0,
     "",
     {"50 Cent", "50 Cent/01 In Da Club.mp3", "50 Cent/50 Cent.txt", "01 a.txt"}},
    {"BundledShortOptionsAndDepthAfterEquals",
     {"sub/", "sub/01 a.txt", "sub/50 b.txt"},
     {"-rn", "--max-depth=1", "--exclude", "5*", "DIR"},
     0,
     "DIR/sub:\n'01 a.txt' -> a.txt\n",
     {"sub", "sub/01 a.txt", "sub/50 b.txt"}},
    {"UnknownOptionInABundle", {"01 a.txt"}, {"-rx", "DIR"}, 2, "", {"01 a.txt"}},
    {"ExcludeCannotBeUndone", {"01 a.txt"}, {"--undo", "j", "--exclude", "*"}, 2, "", {"01 a.txt"}},
};

// Returns `texts` with "DIR" as `dir`, and "DIR/" followed by the system's separator.
std::vector<std::string> Substituted(std::vector<std::string> texts, const std::string& dir) {
  const std::string with_separator =
      dir + static_cast<char>(std::filesystem::path::preferred_separator);
  for (std::string& text : texts) {
    for (std::size_t at = text.find("DIR"); at != std::string::npos; at = text.find("DIR", at)) {
      const bool separated = text.compare(at, 4, "DIR/") == 0;
      text.replace(at, separated ? 4 : 3, separated ? with_separator : dir);
      at += dir.size();
    }
  }
  return texts;
}

Names Tree(const TempDir& dir) {
  Names names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
    names.insert(Utf8(entry.path().lexically_relative(dir.path()).generic_string<NativeChar>()));
  }
  return names;
}

class ExcludeTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(ExcludeTest, LeavesOutWhatMatchesAsAnEntryWithNothingToCut) {
  const RunCase& c = GetParam();
  TempDir dir;
  for (const std::string& entry : c.entries) {
    if (entry.ends_with('/')) {
      dir.MakeDir(entry.substr(0, entry.size() - 1));
    } else {
      dir.Touch(entry);
    }
  }
  std::ostringstream out, err;
  const int status = cli::Run(Substituted(c.args, Utf8(dir.path().native())), out, err);
  EXPECT_EQ(status, c.status) << err.str();
  EXPECT_EQ(out.str(), Substituted({c.out}, Utf8(dir.path().native())).front());
  EXPECT_EQ(Tree(dir), c.after);
}

INSTANTIATE_TEST_SUITE_P(Runs, ExcludeTest, ::testing::ValuesIn(kRuns),
                         [](const auto& row) { return std::string(row.param.name); });

// What the journal records is what was renamed: an entry left out is neither renamed nor put
// back by --undo.
TEST(ExcludeJournalTest, TheJournalHoldsOnlyWhatWasRenamed) {
  TempDir dir;
  for (const char* name : {"01 a.txt", "02 b.txt", "b.txt"}) dir.Touch(name);
  TempDir journal_dir;
  const std::string journal = Utf8((journal_dir / "journal").native());
  std::ostringstream out, err;
  ASSERT_EQ(
      cli::Run({"--journal", journal, "--exclude", "01*", Utf8(dir.path().native())}, out, err), 0);
  EXPECT_EQ(dir.Names(), (Names{"01 a.txt", "b copy ( 2).txt", "b.txt"}));
  dir.Touch("a.txt");  // the name '01 a.txt' would have had: nothing of it is touched
  std::ostringstream undo_out, undo_err;
  EXPECT_EQ(cli::Run({"--undo", journal}, undo_out, undo_err), 0) << undo_err.str();
  EXPECT_EQ(dir.Names(), (Names{"01 a.txt", "02 b.txt", "b.txt", "a.txt"}));
}

}  // namespace
}  // namespace qomdex::cli
