#include "cli/quoting.h"

#include <gtest/gtest.h>

#include "tests/support/utf8_names.h"

namespace qomdex::cli {
namespace {

TEST(QuoteNameTest, QuotesOnlyWhatAPlainLineCannotShow) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.txt", "a.txt"},
      {"\xC3\xA4rger.txt", "\xC3\xA4rger.txt"},
      {"01 a.txt", "'01 a.txt'"},
      {"", "''"},
      {"line\nbreak", "'line\\nbreak'"},
      {"tab\there", "'tab\\there'"},
      {"bell\a", "'bell\\x07'"},
      {"it's", "'it\\'s'"},
#ifndef _WIN32  // Windows names are UTF-16 and never hold a backslash.
      {"back\\slash", "'back\\\\slash'"},
      {"raw\xFF\xFE", "'raw\\xFF\\xFE'"},
      {"cut \xC3", "'cut \\xC3'"},
      {"surrogate \xED\xA0\x80", "'surrogate \\xED\\xA0\\x80'"},
#endif
  };
  for (const auto& [name, shown] : cases) EXPECT_EQ(QuoteName(testing::Native(name)), shown);
}

#ifdef _WIN32
TEST(QuoteNameTest, WindowsPathsKeepTheirBackslashesAndLoneSurrogatesShowAsEscapes) {
  EXPECT_EQ(QuoteName(LR"(c:\music)"), R"(c:\music)");
  EXPECT_EQ(QuoteName(L"lone \xD800"), "'lone \\xED\\xA0\\x80'");
  EXPECT_EQ(QuoteName(L"pair \xD83C\xDFB5"), "'pair \xF0\x9F\x8E\xB5'");
}
#endif

}  // namespace
}  // namespace qomdex::cli
