#include <fnmatch.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "ExpectCode.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"

using namespace qel::lang;

namespace {

std::vector<uint8_t> bytesOf(const DbyteArrayPtr& array) {
  const int8_t* data = array->data();
  return std::vector<uint8_t>(data, data + array->length());
}

TEST(DStringTest, Constructors) {
  EXPECT_EQ(DString(u"abc", 2).view(), u"ab");
  EXPECT_EQ(DString(u"abc", -1).length(), 0);
  EXPECT_EQ(DString("\xE9t\xE9").view(), u"\u00e9t\u00e9");
  EXPECT_EQ(DString(static_cast<const char16_t*>(nullptr)).length(), 0);
  DString copy(DString(u"xy"));
  EXPECT_EQ(copy.view(), u"xy");
  EXPECT_EQ(copy.refCount(), 0);
  const char16_t withZero[] = {u'a', 0, u'b'};
  EXPECT_EQ(DString(withZero, 3).length(), 3);
  EXPECT_EQ(DString(withZero, 3).chars()[3], 0);
}

TEST(DStringTest, Queries) {
  DStringPtr abc = u"abc";
  EXPECT_EQ(abc->charAt(2), u'c');
  EXPECT_THROWS_CODE(0x05800002u, abc->charAt(3));
  EXPECT_THROWS_CODE(0x05800002u, abc->charAt(-1));
  EXPECT_EQ(DString(u"ab").hashCode(), 3105);
  EXPECT_EQ(DString(u"").hashCode(), 0);
  EXPECT_EQ(DStringPtr(u"a")->compareTo(u"ab"), -1);
  EXPECT_EQ(DStringPtr(u"b")->compareTo(u"a"), 1);
  EXPECT_EQ(DStringPtr(u"ab")->compareTo(u"a"), 1);
  EXPECT_EQ(DStringPtr(u"ab")->compareTo(u"ab"), 0);
  EXPECT_EQ(DStringPtr(u"a")->compareTo(u"z"), -1);
  EXPECT_TRUE(abc->startsWith(u"ab"));
  EXPECT_TRUE(abc->startsWith(u""));
  EXPECT_FALSE(abc->startsWith(u"abcd"));
  EXPECT_TRUE(abc->endsWith(u"bc"));
  EXPECT_FALSE(abc->endsWith(u"ab"));
  EXPECT_TRUE(abc->equals(u"abc"));
  EXPECT_FALSE(abc->equals(u"ab"));
}

TEST(DStringTest, IndexOf) {
  DStringPtr s = u"abcabc";
  struct Case {
    int32_t actual, expected;
  };
  const Case cases[] = {
      {s->indexOf(u'b'), 1},
      {s->indexOf(u'z'), -1},
      {s->indexOf(u'b', 2), 4},
      {s->indexOf(u'b', -5), 1},
      {s->indexOf(u'c', 6), -1},
      {s->lastIndexOf(u'a'), 3},
      {s->lastIndexOf(u'z'), -1},
      {s->indexOf(u"ca"), 2},
      {s->indexOf(u"bc", 2), 4},
      {s->indexOf(u"bc", -3), 1},
      {s->indexOf(u"abcd"), -1},
      {DString(u"").indexOf(u'a'), -1},
      {DStringPtr(u"abc")->indexOf(u"", 1), 1},
      {DStringPtr(u"abc")->indexOf(u"", 4), -1},
      {DStringPtr(u"abc")->indexOf(u"", 3), 3},
  };
  int row = 0;
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << "row " << row++;
}

TEST(DStringTest, SubstringAndConcat) {
  DStringPtr abc = u"abc";
  EXPECT_EQ(abc->substring(1, 2)->view(), u"b");
  EXPECT_EQ(abc->substring(3)->length(), 0);
  EXPECT_EQ(abc->substring(0)->view(), u"abc");
  EXPECT_THROWS_CODE(0x05800002u, abc->substring(2, 1));
  EXPECT_THROWS_CODE(0x05800002u, abc->substring(-1, 1));
  EXPECT_THROWS_CODE(0x05800002u, abc->substring(0, 4));
  DStringPtr none;
  EXPECT_EQ(DString::concat(none, u"x")->view(), u"nullx");
  EXPECT_EQ(DString::concat(u"x", none)->view(), u"xnull");
  EXPECT_EQ(DString::concat(static_cast<const char16_t*>(nullptr), static_cast<const char16_t*>(nullptr))->view(),
            u"nullnull");
  EXPECT_EQ(DString::concat(abc, abc)->view(), u"abcabc");
  EXPECT_EQ(DString::concat(abc, -12)->view(), u"abc-12");
  EXPECT_EQ((abc + u"d")->view(), u"abcd");
  EXPECT_EQ((abc + none)->view(), u"abcnull");
  EXPECT_EQ((abc + 7)->view(), u"abc7");
  EXPECT_EQ((abc + abc + 1)->view(), u"abcabc1");
  EXPECT_EQ(DString::valueOf(-2147483647 - 1)->view(), u"-2147483648");
}

TEST(DStringTest, IdentityResults) {
  DStringPtr x = u"x";
  EXPECT_EQ(x->toString(), x);
  EXPECT_EQ(x->trim(), x);
  DStringPtr empty = u"";
  EXPECT_EQ(empty->trim(), empty);
  EXPECT_EQ(empty->replace(u'a', u'b'), empty);
  EXPECT_NE(x->replace(u'a', u'b'), x);
  EXPECT_EQ(x->replace(u'a', u'b')->view(), u"x");
  EXPECT_EQ(x->replace(u"q", u"r"), x);
  EXPECT_NE(x->toLowerCase(), x);
  EXPECT_EQ(DStringPtr(u" \t x \n")->trim()->view(), u"x");
  EXPECT_EQ(DStringPtr(u" \t \n")->trim()->length(), 0);
}

TEST(DStringTest, Replace) {
  EXPECT_EQ(DStringPtr(u"banana")->replace(u'a', u'o')->view(), u"bonono");
  EXPECT_EQ(DStringPtr(u"banana")->replace(u"an", u"AN")->view(), u"bANANa");
  EXPECT_EQ(DStringPtr(u"aaaa")->replace(u"aa", u"b")->view(), u"bb");
  EXPECT_EQ(DStringPtr(u"aaa")->replace(u"aa", u"")->view(), u"a");
  EXPECT_EQ(DStringPtr(u"a.b.c")->replace(u".", u"::")->view(), u"a::b::c");
}

TEST(DStringTest, ReplaceWithEmptyTargetEndsAndReturnsItself) {
  DStringPtr s = u"abc";
  EXPECT_EQ(s->replace(u"", u"x"), s);
}

TEST(DStringTest, EqualityCountsEveryUnit) {
  const char16_t a0b[] = {u'a', 0, u'b'};
  const char16_t a0c[] = {u'a', 0, u'c'};
  DStringPtr first = new DString(a0b, 3);
  DStringPtr second = new DString(a0c, 3);
  DStringPtr prefix = new DString(a0b, 2);
  EXPECT_FALSE(first->equals(second.get()));
  EXPECT_NE(first->compareTo(second), 0);
  EXPECT_EQ(first->compareTo(second), -1);
  EXPECT_FALSE(first->equals(prefix.get()));
  EXPECT_EQ(prefix->compareTo(first), -1);
  EXPECT_TRUE(first->equals(DStringPtr(new DString(a0b, 3)).get()));
}

TEST(DStringTest, EqualsNullIsFalse) {
  DStringPtr s = u"null";
  EXPECT_FALSE(s->equals(static_cast<const DObject*>(nullptr)));
  EXPECT_FALSE(s->equals(static_cast<const char16_t*>(nullptr)));
  EXPECT_FALSE(s->equals(nullptr));
}

TEST(DStringTest, EqualsComparesWithTheOthersText) {
  DStringPtr five = u"5";
  DObjectPtr boxed = new DInteger(5);
  EXPECT_TRUE(five->equals(boxed.get()));
  EXPECT_FALSE(boxed->equals(five.get()));
}

TEST(DStringTest, CaseMappingIgnoresTheProcessLocale) {
  EXPECT_EQ(DStringPtr(u"Hello \u00c9\u00e9 \u0130I")->toLowerCase()->view(), u"hello \u00e9\u00e9 \u0069i");
  EXPECT_EQ(DStringPtr(u"straße ÿ\u03c3")->toUpperCase()->view(), u"STRAßE \u0178\u03a3");
  const char16_t surrogates[] = {0xD83D, 0xDE00};
  EXPECT_EQ(DStringPtr(new DString(surrogates, 2))->toUpperCase()->view(), std::u16string_view(surrogates, 2));
}

TEST(DStringTest, ModifiedUtf8EdgeCases) {
  EXPECT_EQ(bytesOf(DString(u"\u0000", 1).getBytesUTF8()), (std::vector<uint8_t>{0xC0, 0x80}));
  EXPECT_EQ(bytesOf(DString(u"\u00e9").getBytesUTF8()), (std::vector<uint8_t>{0xC3, 0xA9}));
  EXPECT_EQ(bytesOf(DString(u"\u20ac").getBytesUTF8()), (std::vector<uint8_t>{0xE2, 0x82, 0xAC}));
  EXPECT_EQ(bytesOf(DString(u"\U0001F600").getBytesUTF8()), (std::vector<uint8_t>{0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}));
  const uint8_t fourByte[] = {0xF0, 0x9F, 0x98, 0x80};
  EXPECT_THROWS_CODE(0x06000010u, DString::decodeUTF8(fourByte, 4));
  const uint8_t cut[] = {0xC3};
  EXPECT_THROWS_CODE(0x06000010u, DString::decodeUTF8(cut, 1));
  const uint8_t overlong[] = {0xC0, 0x80, 0x41};
  EXPECT_EQ(DString::decodeUTF8(overlong, 3)->length(), 2);
  DbyteArrayPtr roundTrip = DString(u"x\u00e9\u20ac").getBytesUTF8();
  EXPECT_EQ(DString::fromUTF8(roundTrip)->view(), u"x\u00e9\u20ac");
}

TEST(DStringTest, GetBytesIsUtf8) {
  EXPECT_EQ(bytesOf(DString(u"a\u00e9").getBytes(false)), (std::vector<uint8_t>{0x61, 0xC3, 0xA9}));
  EXPECT_EQ(bytesOf(DString(u"a\u00e9").getBytes(true)), (std::vector<uint8_t>{0x61, 0xC3, 0xA9, 0}));
  EXPECT_EQ(bytesOf(DString(u"\U0001F600").getBytes(false)), (std::vector<uint8_t>{0xF0, 0x9F, 0x98, 0x80}));
  const char16_t lone[] = {u'a', 0xD800, u'b'};
  EXPECT_EQ(bytesOf(DString(lone, 3).getBytes(false)), (std::vector<uint8_t>{'a', '?', 'b'}));
  EXPECT_EQ(DString(u"").getBytes(false)->length(), 0);
}

TEST(DStringTest, UrlEncode) {
  EXPECT_EQ(DString(u"a b").urlEncode(0)->view(), u"a%20b");
  EXPECT_EQ(DString(u"~").urlEncode(0)->view(), u"~");
  EXPECT_EQ(DString(u"\u0000", 1).urlEncode(0)->view(), u"%C0%80");
  EXPECT_EQ(DString(u"\u0000", 1).urlEncode(1)->view(), u"%00");
}

TEST(DStringTest, WildcardMatchCases) {
  struct Case {
    const char16_t* pattern;
    const char16_t* text;
    int flags;
    int expected;
  };
  const Case cases[] = {
      {u"*.txt", u"a.txt", 0, 0}, {u"a?c", u"abc", 0, 0},   {u"a?c", u"ac", 0, 1},      {u"a**", u"a", 0, 0},
      {u"*", u"", 0, 0},          {u"?", u"", 0, 1},        {u"*?", u"", 0, 1},         {u"a\\*", u"a*", 0, 0},
      {u"a\\*", u"ab", 0, 1},     {u"a\\*", u"a\\*", 2, 0}, {u"a\\*", u"a\\x", 2, 0},   {u"*\\*", u"x*", 0, 0},
      {u"*\\*", u"xy", 0, 1},     {u"*\\*b", u"a*b", 0, 0}, {u"*a", u"A", 0, 1},        {u"*b*", u"abc", 0, 0},
      {u"", u"", 0, 0},           {u"", u"a", 0, 1},        {u"a*b*c", u"aXbYc", 0, 0}, {u"a*b*c", u"aXbY", 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DString::wildcardMatch(c.pattern, c.text, c.flags), c.expected)
        << std::string(toMultiByte(c.pattern)) << " / " << toMultiByte(c.text) << " flags " << c.flags;
  }
}

// glibc's fnmatch without '[' is an independent matcher of the same language.
TEST(DStringTest, WildcardMatchAgreesWithFnmatch) {
  std::mt19937 random(12345);
  const char alphabet[] = {'a', 'b', '*', '?', '\\'};
  auto randomText = [&](const char* letters, int count, int maxLength) {
    std::string s(random() % (maxLength + 1), ' ');
    for (char& c : s) c = letters[random() % count];
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    std::string pattern = randomText(alphabet, 5, 7);
    std::string text = randomText("ab*?\\", i % 2 ? 2 : 5, 7);
    if (!pattern.empty() && pattern.back() == '\\') continue;
    for (int flags : {0, 2}) {
      int expected = fnmatch(pattern.c_str(), text.c_str(), flags == 2 ? FNM_NOESCAPE : 0) == 0 ? 0 : 1;
      std::u16string p = widenLatin1(pattern);
      std::u16string t = widenLatin1(text);
      ASSERT_EQ(DString::wildcardMatch(p.c_str(), t.c_str(), flags), expected)
          << "pattern " << pattern << " text " << text << " flags " << flags;
    }
  }
}

}  // namespace
