#include "location/text_encoding.h"

#include <gtest/gtest.h>

namespace qomdex {
namespace {

TEST(TextEncodingTest, DecodesUtf8WithOneReplacementPerBadByte) {
  const struct {
    const char* name;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"ASCII", "a.txt", u"a.txt"},
      {"two, three and four bytes", "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x8E\xB5",
       u"\u00E4\u20AC\U0001F3B5"},
      {"a stray continuation byte", "a\x80z", u"a\uFFFDz"},
      {"an overlong NUL", "\xC0\x80", u"\uFFFD\uFFFD"},
      {"an overlong three-byte form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"a sequence cut short, then text", "\xE2\x82z", u"\uFFFD\uFFFDz"},
      {"a lead byte that is never valid", "\xFF\xFE", u"\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUtf8(c.bytes), c.text) << c.name;
}

TEST(TextEncodingTest, NamesSurviveTheRoundTripThroughUtf8) {
#ifdef _WIN32
  const NativeString names[] = {L"a.txt", L"\u00E4rger", L"pair \xD83C\xDFB5"};
  EXPECT_EQ(NativeToUtf8(L"lone \xD800"), "lone \xED\xA0\x80");
#else
  const NativeString names[] = {"a.txt", "\xC3\xA4rger", "raw\xFF\xFE"};
#endif
  for (const NativeString& name : names) EXPECT_EQ(NativeFromUtf8(NativeToUtf8(name)), name);
}

}  // namespace
}  // namespace qomdex
