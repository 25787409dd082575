// A printed name must paste into bash as exactly that name, look as coreutils' ls prints it, and
// never let an invisible, blank-looking, line-breaking or direction-changing character pass
// unseen.

#include "present/quoting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

#ifdef QOMDEX_TEST_ICU
#include <unicode/uchar.h>

#include "location/text_encoding.h"
#endif

namespace qomdex::present {
namespace {

struct QuotingCase {
  const char* name;  // the row's name in the test's output
  std::string bytes;
  std::string shown;
  bool as_ls;  // false where ls, by the C library's idea of printable, shows the character raw
};

const QuotingCase kCases[] = {
    {"Plain", "a.txt", "a.txt", true},
    {"Letters", "\xC3\xA4rger.txt", "\xC3\xA4rger.txt", true},
    {"Space", "01 a.txt", "'01 a.txt'", true},
    {"Empty", "", "''", false},
    {"ShellSyntax", "$HOME;rm *=x", "'$HOME;rm *=x'", true},
    {"DoubleQuotes", "say \"hi\"", "'say \"hi\"'", true},
    {"HashAndTildeInside", "a#b~{c}", "a#b~{c}", true},
    {"HashFirst", "#a", "'#a'", true},
    {"LoneBrace", "{", "'{'", true},
    {"Apostrophe", "it's", "\"it's\"", true},
    {"ApostropheAndSyntax", "it's $5", "'it'\\''s $5'", true},
    {"ApostropheAndTab", "'it's\t", "''\\''it'\\''s'$'\\t'", true},
    {"Tab", "03\ttab.txt", "'03'$'\\t''tab.txt'", true},
    {"NewlineAndReturn", "a\nb\r", "'a'$'\\n''b'$'\\r'", true},
    {"LeadingControls", "\x01\x1B[31m", "''$'\\001\\033''[31m'", true},
    {"Delete", "del\x7F", "'del'$'\\177'", true},
    {"NextLine", "nl \xC2\x85", "'nl '$'\\302\\205'", true},
    {"RightToLeftOverride", "evil\xE2\x80\xAEtxt.exe", "'evil'$'\\342\\200\\256''txt.exe'", false},
    {"ZeroWidthSpace", "zero\xE2\x80\x8Bwidth", "'zero'$'\\342\\200\\213''width'", false},
    {"HangulFillers", "\xE3\x85\xA4\xEF\xBE\xA0\xE1\x85\x9F",
     "''$'\\343\\205\\244\\357\\276\\240\\341\\205\\237'", false},
    {"BrailleBlank", "a\xE2\xA0\x80", "'a'$'\\342\\240\\200'", false},
    {"JoinerAndVariationSelector", "e\xCD\x8F\xEF\xB8\x8F", "'e'$'\\315\\217\\357\\270\\217'",
     false},
    {"KhmerInherentVowel", "\xE1\x9E\xB4", "''$'\\341\\236\\264'", false},
    {"NoBreakSpace", "a\xC2\xA0z", "'a'$'\\302\\240''z'", false},
    {"Tag", "t\xF3\xA0\x80\x81", "'t'$'\\363\\240\\200\\201'", false},
#ifndef _WIN32  // Windows names are UTF-16, and a backslash there separates a path's parts.
    {"Backslash", "back\\slash", "'back\\slash'", true},
    {"LiteralEscape", "03\\ttab.txt", "'03\\ttab.txt'", true},
    {"NotUtf8", "raw\xFF\xFE", "'raw'$'\\377\\376'", true},
    {"CutSequence", "cut \xC3", "'cut '$'\\303'", true},
    {"Surrogate", "s\xED\xA0\x80", "'s'$'\\355\\240\\200'", true},
#endif
};

void PrintTo(const QuotingCase& c, std::ostream* out) { *out << c.name; }

class QuoteNameTest : public ::testing::TestWithParam<QuotingCase> {};

#ifndef _WIN32
// Returns what the shell command `command` writes to its standard output.
std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe)) {
      output.append(buffer, read);
    }
    pclose(pipe);
  }
  return output;
}
#endif

TEST_P(QuoteNameTest, PastesIntoBashAsTheNameAndPrintsAsLsDoes) {
  const QuotingCase& c = GetParam();
  const std::string shown = QuoteName(testing::Native(c.bytes));
  EXPECT_EQ(shown, c.shown);
  std::string line = "x -> ";
  AppendQuotedName(testing::Native(c.bytes), line);
  EXPECT_EQ(line, "x -> " + c.shown) << "appends, keeping what was there";
#ifndef _WIN32
  testing::TempDir dir;
  {
    std::ofstream script(dir / "print.sh", std::ios::binary);
    script << "printf %s " << shown << '\n';
  }
  EXPECT_EQ(Output("bash " + (dir / "print.sh").string()), c.bytes) << "read back by bash";
  if (c.as_ls && Output("ls --quoting-style=shell-escape / 2>/dev/null").size() > 0) {
    const testing::TempDir listed;
    listed.Touch(c.bytes);
    EXPECT_EQ(Output("LC_ALL=C.UTF-8 ls --quoting-style=shell-escape " + listed.path().string()),
              c.shown + '\n')
        << "as ls prints it";
  }
#endif
}

INSTANTIATE_TEST_SUITE_P(Names, QuoteNameTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

#ifdef QOMDEX_TEST_ICU
// Every character the system's Unicode data calls a control, a format character, a separator, a
// space other than U+0020 or default-ignorable is escaped (the Ogham space mark shows a stroke).
TEST(QuoteNameCoverageTest, EscapesEveryInvisibleCharacterUnicodeKnows) {
  for (UChar32 code = 0x80; code <= 0x10FFFF; ++code) {
    const int8_t type = u_charType(code);
    const bool invisible = u_hasBinaryProperty(code, UCHAR_DEFAULT_IGNORABLE_CODE_POINT) ||
                           type == U_CONTROL_CHAR || type == U_FORMAT_CHAR ||
                           type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR ||
                           (type == U_SPACE_SEPARATOR && code != 0x1680);
    if (!invisible || (code >= 0xD800 && code <= 0xDFFF)) continue;
    std::string name = "a";
    AppendUtf8(static_cast<char32_t>(code), name);
    EXPECT_FALSE(ShowsAsItIs(name)) << "U+" << std::hex << code << " would show as it is";
  }
}
#endif

#ifdef _WIN32
TEST(QuoteNameWindowsTest, PathsKeepTheirBackslashesAndLoneSurrogatesShowAsEscapes) {
  EXPECT_EQ(QuoteName(LR"(c:\music)"), R"(c:\music)");
  EXPECT_EQ(QuoteName(LR"(c:\it's)"), R"("c:\it's")");
  EXPECT_EQ(QuoteName(L"lone \xD800"), "'lone '$'\\355\\240\\200'");
  EXPECT_EQ(QuoteName(L"pair \xD83C\xDFB5"), "'pair \xF0\x9F\x8E\xB5'");
}
#endif

}  // namespace
}  // namespace qomdex::present
