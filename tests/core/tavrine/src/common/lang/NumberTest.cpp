#include <charconv>
#include <gtest/gtest.h>
#include <random>
#include <string>

#include "ExpectCode.h"
#include "lang/DInteger.h"
#include "lang/DMath.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "lang/TextCodec.h"

using namespace qel::lang;

namespace {

TEST(DIntegerTest, ParseInt) {
  struct Case {
    const char16_t* text;
    int radix;  // 0: parseInt(text)
    int32_t value;
    bool fails;
  };
  const Case cases[] = {
      {u"2147483647", 0, 2147483647, false},
      {u"2147483648", 0, 0, true},
      {u"-2147483648", 0, -2147483647 - 1, false},
      {u"-2147483649", 0, 0, true},
      {u"-", 0, 0, true},
      {u"", 0, 0, true},
      {u"+5", 0, 0, true},
      {u"1 ", 0, 0, true},
      {u"0x1f", 0, 31, false},
      {u"0x", 0, 0, true},
      {u"0X1F", 0, 0, true},
      {u"-0x10", 0, 0, true},
      {u"0xffffffff", 0, 0, true},
      {u"0x7fffffff", 0, 2147483647, false},
      {u"007", 0, 7, false},
      {u"z", 36, 35, false},
      {u"Z", 36, 35, false},
      {u"1", 37, 0, true},
      {u"1", 1, 0, true},
      {u"-101", 2, -5, false},
      {u"2", 2, 0, true},
      {u"+5", 10, 0, true},
      {u"\u0663", 10, 0, true},
  };
  for (const Case& c : cases) {
    DStringPtr text = c.text;
    auto parse = [&] { return c.radix == 0 ? DInteger::parseInt(text) : DInteger::parseInt(text, c.radix); };
    if (c.fails) {
      EXPECT_THROWS_CODE(0x05400002u, parse()) << toMultiByte(c.text);
    } else {
      EXPECT_EQ(parse(), c.value) << toMultiByte(c.text);
    }
  }
  EXPECT_THROWS_CODE(0x05400002u, DInteger::parseInt(DStringPtr()));
  EXPECT_THROWS_CODE(0x05400002u, DInteger::parseInt(DStringPtr(), 10));
}

TEST(DIntegerTest, DigitAndText) {
  EXPECT_EQ(DInteger::digit(u'7', 10), 7);
  EXPECT_EQ(DInteger::digit(u'a', 10), -1);
  EXPECT_EQ(DInteger::digit(u'f', 16), 15);
  EXPECT_EQ(DInteger::digit(u'Z', 36), 35);
  EXPECT_EQ(DInteger::digit(u'\u0663', 10), -1);
  EXPECT_EQ(DInteger::toString(-2147483647 - 1)->view(), u"-2147483648");
  EXPECT_EQ(DInteger::toString(100000)->view(), u"100000");
  EXPECT_EQ(DInteger::toString(-7)->view(), u"-7");
  EXPECT_EQ(DInteger::toHexString(0)->view(), u"0");
  EXPECT_EQ(DInteger::toHexString(-1)->view(), u"ffffffff");
}

TEST(DIntegerTest, RoundTripAgainstToChars) {
  std::mt19937 random(7);
  for (int i = 0; i < 5000; ++i) {
    int32_t value = static_cast<int32_t>(random()) >> (random() % 32);
    char buffer[16];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::u16string expected = widenLatin1(std::string_view(buffer, end - buffer));
    ASSERT_EQ(DInteger::toString(value)->view(), expected);
    ASSERT_EQ(DInteger::parseInt(new DString(expected)), value);
  }
}

TEST(DIntegerTest, ValueOfAndBoxing) {
  EXPECT_EQ(DInteger::valueOf(DStringPtr())->intValue(), 0);
  EXPECT_EQ(DInteger::valueOf(u"0x10")->intValue(), 16);
  EXPECT_THROWS_CODE(0x05400002u, DInteger::valueOf(u"x"));
  DIntegerPtr a = new DInteger(42);
  DIntegerPtr b = new DInteger(42);
  EXPECT_TRUE(a->equals(b.get()));
  EXPECT_EQ(a->hashCode(), b->hashCode());
  EXPECT_EQ(a->hashCode(), 42);
  EXPECT_EQ(a->toString()->view(), u"42");
  EXPECT_EQ(a->getClassName(), "DInteger");
}

TEST(DIntegerTest, EqualsRefusesOtherClassesAndNull) {
  DIntegerPtr integer = new DInteger(5);
  DShortPtr boxedShort = new DShort(5);
  DStringPtr text = u"5";
  EXPECT_FALSE(integer->equals(nullptr));
  EXPECT_FALSE(integer->equals(boxedShort.get()));
  EXPECT_FALSE(integer->equals(text.get()));
  EXPECT_FALSE(boxedShort->equals(integer.get()));
  EXPECT_FALSE(boxedShort->equals(nullptr));
  EXPECT_TRUE(boxedShort->equals(DShortPtr(new DShort(5)).get()));
  EXPECT_EQ(boxedShort->hashCode(), integer->hashCode());
}

TEST(DShortTest, ParseCutsToLowBits) {
  EXPECT_EQ(DShort::parseShort(u"70000"), 4464);
  EXPECT_EQ(DShort::parseShort(u"-1"), -1);
  EXPECT_EQ(DShort::parseShort(u"32768"), -32768);
  EXPECT_EQ(DShort::parseByte(u"300"), 44);
  EXPECT_EQ(DShort::parseByte(u"200"), -56);
  EXPECT_EQ(DShort::parseByte(u"-128"), -128);
  EXPECT_THROWS_CODE(0x05400002u, DShort::parseShort(u"0x10"));
  EXPECT_THROWS_CODE(0x05400002u, DShort::parseByte(u""));
  DShortPtr negative = new DShort(-3);
  EXPECT_EQ(negative->hashCode(), -3);
  EXPECT_EQ(negative->toString()->view(), u"-3");
  EXPECT_EQ(negative->getClassName(), "DShort");
}

TEST(DMathTest, AbsMaxMin) {
  EXPECT_EQ(DMath::abs(-2147483647 - 1), -2147483647 - 1);
  EXPECT_EQ(DMath::abs(-5), 5);
  EXPECT_EQ(DMath::abs(5), 5);
  EXPECT_EQ(DMath::max(-1, 3), 3);
  EXPECT_EQ(DMath::min(-1, 3), -1);
}

}  // namespace
