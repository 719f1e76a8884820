#include <gtest/gtest.h>
#include <string>

#include "lang/TextCodec.h"

using namespace qel::lang;

namespace {

TEST(TextCodecTest, Latin1Widening) {
  EXPECT_EQ(widenLatin1("a\xE9\xFF\x80"), u"a\u00e9\u00ff\u0080");
  EXPECT_EQ(widenLatin1(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(TextCodecTest, Utf8BothWays) {
  struct Case {
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {u"", ""},
      {u"abc", "abc"},
      {u"\u00e9", "\xC3\xA9"},
      {u"\u20ac", "\xE2\x82\xAC"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {std::u16string(u"\0", 1), std::string("\0", 1)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toMultiByte(c.text), c.bytes);
    EXPECT_EQ(fromMultiByte(c.bytes), c.text);
  }
}

TEST(TextCodecTest, MalformedInputIsReplaced) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"\xC3", u"\uFFFD"},
      {"a\x80z", u"a\uFFFDz"},
      {"\xC0\x80", u"\uFFFD\uFFFD"},
      {"\xE2\x82", u"\uFFFD"},
      {"\xE2\x82z", u"\uFFFDz"},
      {"\xED\xA0\x80", u"\uFFFD"},
      {"\xF4\x90\x80\x80", u"\uFFFD"},
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(fromMultiByte(c.bytes), c.text);
  const char16_t lone[] = {0xDC00, u'a', 0xD800};
  EXPECT_EQ(toMultiByte(std::u16string_view(lone, 3)), "?a?");
}

}  // namespace
