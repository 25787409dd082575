#include "engine/name_cleaning.h"

#include <gtest/gtest.h>

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "tests/support/utf8_names.h"

namespace qomdex {
namespace {

using testing::Native;
using testing::Utf8;

struct CleanCase {
  const char* name;
  StripSet set;
  const char* cleaned;
  bool changed;
};

TEST(CleanTest, CutsOnlyTheLeadingRunOfTheSet) {
  const CleanCase cases[] = {
      {"07 - Intro.mp3", StripSet::kFile, "Intro.mp3", true},
      {"1.5 Intro.mp3", StripSet::kFile, ".5 Intro.mp3", true},
      {"1.5 Intro", StripSet::kFolder, "Intro", true},
      {"01. Intro", StripSet::kFolder, "Intro", true},
      {"_-_ notes", StripSet::kFile, "notes", true},
      {"_-_ notes", StripSet::kFolder, "notes", true},
      {"Notes 01.txt", StripSet::kFile, "Notes 01.txt", false},
      {"99", StripSet::kFile, "", true},
      {"99", StripSet::kFolder, "", true},
      {"1.2", StripSet::kFolder, "", true},
      {"99.txt", StripSet::kFile, ".txt", true},
      {"", StripSet::kFile, "", false},
      {"\t01 tab", StripSet::kFile, "\t01 tab", false},
      {"+01 plus", StripSet::kFile, "+01 plus", false},
      {"\xEF\xBC\x91 full-width one", StripSet::kFile, "\xEF\xBC\x91 full-width one", false},
      {"01 line\nbreak", StripSet::kFile, "line\nbreak", true},
#ifndef _WIN32  // Windows names are UTF-16.
      {"01 \xFF\xFE raw bytes", StripSet::kFile, "\xFF\xFE raw bytes", true},
#endif
  };
  for (const auto& c : cases) {
    PassState state;
    state.NewName = Native("stale");
    const NativeString name = Native(c.name);
    Clean(state, name, c.set);
    EXPECT_EQ(Utf8(state.NewName), c.cleaned) << '"' << c.name << '"';
    EXPECT_EQ(state.NameChanged, c.changed) << '"' << c.name << '"';
    EXPECT_EQ(state.CharPos, name.size() - state.NewName.size() + 1);
  }
}

TEST(FoldTest, TrimsEndSpacesNormalizesAndUpperCasesInTheDefaultLocale) {
  const std::pair<const char*, std::u16string> cases[] = {
      {" ab c ", u"AB C"},
      {"\tab", u"\tAB"},
      {"\xC3\xA4rger.txt", u"\u00C4RGER.TXT"},
      {"   ", u""},
      // Canonically equivalent names fold alike: an accent combined or precomposed, the Angstrom
      // sign or the letter, Hangul jamo or the syllable.
      {"Cafe\xCC\x81", u"CAF\u00C9"},
      {"\xE2\x84\xAB", u"\u00C5"},
      {"\xE1\x84\x80\xE1\x85\xA1", u"\uAC00"},
#ifdef _WIN32  // The system maps each letter to one letter, and names are UTF-16.
      {"stra\xC3\x9F"
       "e",
       u"STRA\u00DFE"},
#else
      {"stra\xC3\x9F"
       "e",
       u"STRASSE"},
      {"a\xFF"
       "b",
       u"A\uFFFDB"},
      {"\xC0\x80", u"\uFFFD\uFFFD"},
#endif
  };
  for (const auto& [name, folded] : cases) {
    EXPECT_EQ(Fold(Native(name)), folded) << '"' << name << '"';
  }
}

TEST(SuffixTest, FileSuffixGoesBeforeTheLastDotAndAlwaysEndsInADot) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.txt", "a copy ( 40).txt"},
      {"README", "README copy ( 40)."},
      {".txt", ".txt copy ( 40)."},
      {"a.tar.gz", "a.tar copy ( 40).gz"},
      {"", " copy ( 40)."},
      {"a.", "a copy ( 40)."},
      {"a b.c d", "a b copy ( 40).c d"},
  };
  for (const auto& [cleaned, suffixed] : cases) {
    PassState state;
    state.NewName = Native(cleaned);
    state.CopyCount = 40;
    BuildSuffixedName(state);
    EXPECT_EQ(Utf8(state.SuffixedName), suffixed) << '"' << cleaned << '"';
  }
}

TEST(SuffixTest, FolderSuffixUsesThePositionAndASingleSeparatorAtARoot) {
  PassState state;
  state.NewName = Native("Rock");
  state.ItemIndex = 3;
#ifdef _WIN32
  EXPECT_EQ(SuffixedFolderPath(state, LR"(c:\)").native(), LR"(c:\Rock Copy ( 3))");
  EXPECT_EQ(SuffixedFolderPath(state, LR"(c:\music)").native(), LR"(c:\music\Rock Copy ( 3))");
#else
  EXPECT_EQ(SuffixedFolderPath(state, "/").native(), "/Rock Copy ( 3)");
  EXPECT_EQ(SuffixedFolderPath(state, "/music").native(), "/music/Rock Copy ( 3)");
#endif
}

}  // namespace
}  // namespace qomdex
