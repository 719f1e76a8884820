#include <gtest/gtest.h>

#include "platform/files/Text.h"

namespace {

TEST(Text, Utf16ToUtf8RefusesUnpairedSurrogates) {
  EXPECT_EQ(wce::toUtf8(u"a\u00E9\u20AC\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(wce::toUtf8(u""), "");
  EXPECT_FALSE(wce::toUtf8(u"\xD800"));
  EXPECT_FALSE(wce::toUtf8(u"\xDC00x"));
  EXPECT_FALSE(wce::toUtf8(u"x\xD83D"));
}

TEST(Text, Utf8ToUtf16ReplacesMalformedBytes) {
  EXPECT_EQ(wce::fromUtf8("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
  EXPECT_EQ(wce::fromUtf8("\xFF"), u"\uFFFD");
  EXPECT_EQ(wce::fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // 0xC0 never starts a sequence
  EXPECT_EQ(wce::fromUtf8("\xE0\x80\xAF"), u"\uFFFD");    // overlong '/'
  EXPECT_EQ(wce::fromUtf8("\xED\xA0\x80"), u"\uFFFD");    // encoded surrogate
  EXPECT_EQ(wce::fromUtf8("\xE2\x82"), u"\uFFFD");        // cut short
}

TEST(Text, StrictUtf8ToUtf16RefusesWhatTheLossyFormReplaces) {
  EXPECT_EQ(wce::fromUtf8Strict("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
  EXPECT_EQ(wce::fromUtf8Strict(""), u"");
  for (const char* bad : {"\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80", "a\x80"})
    EXPECT_FALSE(wce::fromUtf8Strict(bad)) << bad;
}

TEST(Text, FoldCaseLowersEveryScriptAndKeepsSurrogates) {
  EXPECT_EQ(wce::foldCase(u"ABC xyz 019"), u"abc xyz 019");
  EXPECT_EQ(wce::foldCase(u"\u00C9T\u00C9 \u0394"), u"\u00E9t\u00E9 \u03B4");
  EXPECT_EQ(wce::foldCase(u"\U00010400"), u"\U00010428");  // Deseret capital long I
  EXPECT_EQ(wce::foldCase(u"\xD800"), u"\xD800");
}

}  // namespace

TEST(TextTest, LossyConversionShowsStrayHalvesAsQuestionMarks) {
  EXPECT_EQ(wce::toUtf8Lossy(u"A\u00E9\u20AC\U0001F600"), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  const char16_t stray[] = {u'a', 0xD800, u'b', 0xDC00, 0};
  EXPECT_EQ(wce::toUtf8Lossy(stray), "a?b?");
}
