#include "present/quoting.h"

#include <gtest/gtest.h>

#include "tests/support/utf8_names.h"

namespace qomdex::present {
namespace {

TEST(QuoteNameTest, QuotesOnlyWhatAPlainLineCannotShow) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.txt", "a.txt"},
      {"\xC3\xA4rger.txt", "\xC3\xA4rger.txt"},
      {"01 a.txt", "'01 a.txt'"},
      {"", "''"},
      {"say \"hi\"", "'say \"hi\"'"},
      {"~!@#$%^&*()+{}|:<>?`=[];,.-", "~!@#$%^&*()+{}|:<>?`=[];,.-"},
      {"del\x7F", "'del\\x7F'"},
      {"line\nbreak", "'line\\nbreak'"},
      {"tab\there", "'tab\\there'"},
      {"bell\a", "'bell\\x07'"},
      {"it's", "'it\\'s'"},
      {"next line \xC2\x85", "'next line \\u0085'"},
      {"line\xE2\x80\xA8sep", "'line\\u2028sep'"},
      {"para\xE2\x80\xA9sep", "'para\\u2029sep'"},
      {"evil\xE2\x80\xAEtxt.exe", "'evil\\u202Etxt.exe'"},
      {"isolate\xE2\x81\xA6x", "'isolate\\u2066x'"},
      {"mark\xE2\x80\x8F", "'mark\\u200F'"},
      {"arabic\xD8\x9C", "'arabic\\u061C'"},
      {"zero\xE2\x80\x8Bwidth", "'zero\\u200Bwidth'"},
      {"\xEF\xBB\xBF"
       "bom",
       "'\\uFEFFbom'"},
      {"tag\xF3\xA0\x80\x81", "'tag\\U000E0001'"},
      {"soft\xC2\xADhyphen", "'soft\\u00ADhyphen'"},
      {"no-break\xC2\xA0space", "no-break\xC2\xA0space"},
#ifndef _WIN32  // Windows names are UTF-16 and never hold a backslash.
      {"back\\slash", "'back\\\\slash'"},
      {"raw\xFF\xFE", "'raw\\xFF\\xFE'"},
      {"cut \xC3", "'cut \\xC3'"},
      {"surrogate \xED\xA0\x80", "'surrogate \\xED\\xA0\\x80'"},
#endif
  };
  for (const auto& [name, shown] : cases) {
    EXPECT_EQ(QuoteName(testing::Native(name)), shown);
    std::string line = "x -> ";
    AppendQuotedName(testing::Native(name), line);
    EXPECT_EQ(line, "x -> " + std::string(shown)) << "appends, keeping what was there";
  }
}

// The window shows a name as it is unless a character in it cannot stand on a line.
TEST(QuoteNameTest, OnlyInvisibleCharactersAndBadBytesKeepANameFromShowingAsItIs) {
  const std::pair<const char*, bool> cases[] = {
      {"01 Intro.mp3", true},
      {"it's \"quoted\"", true},
      {"line\nbreak", false},
      {"evil\xE2\x80\xAEtxt.exe", false},
      {"zero\xE2\x80\x8Bwidth", false},
#ifndef _WIN32
      {"raw\xFF", false},
#endif
  };
  for (const auto& [name, as_it_is] : cases) {
    EXPECT_EQ(ShowsAsItIs(testing::Native(name)), as_it_is) << name;
  }
}

#ifdef _WIN32
TEST(QuoteNameTest, WindowsPathsKeepTheirBackslashesAndLoneSurrogatesShowAsEscapes) {
  EXPECT_EQ(QuoteName(LR"(c:\music)"), R"(c:\music)");
  EXPECT_EQ(QuoteName(L"lone \xD800"), "'lone \\xED\\xA0\\x80'");
  EXPECT_EQ(QuoteName(L"pair \xD83C\xDFB5"), "'pair \xF0\x9F\x8E\xB5'");
}
#endif

}  // namespace
}  // namespace qomdex::present
