#include <gtest/gtest.h>
#include <string>

#include "ExpectCode.h"
#include "lang/DString.h"
#include "lang/DStringBuffer.h"

using namespace qel::lang;

namespace {

TEST(DStringBufferTest, Capacities) {
  EXPECT_EQ(DStringBuffer().capacity(), 16);
  EXPECT_EQ(DStringBuffer(5).capacity(), 6);
  EXPECT_EQ(DStringBuffer(DStringPtr(u"abc")).capacity(), 4);

  DStringBuffer doubled;
  doubled.append(DStringPtr(new DString(std::u16string(16, u'x'))));
  EXPECT_EQ(doubled.capacity(), 32);

  DStringBuffer required;
  required.append(DStringPtr(new DString(std::u16string(40, u'x'))));
  EXPECT_EQ(required.capacity(), 41);

  DStringBuffer units;
  for (int i = 0; i < 15; ++i) units.append(u'a');
  EXPECT_EQ(units.capacity(), 16);
  units.append(u'a');
  EXPECT_EQ(units.capacity(), 32);
}

TEST(DStringBufferTest, NegativeCapacityIsReadAsZero) {
  DStringBuffer buffer(-5);
  EXPECT_EQ(buffer.capacity(), 1);
  buffer.append(u"abc");
  EXPECT_EQ(buffer.toString()->view(), u"abc");
}

TEST(DStringBufferTest, Appends) {
  DStringBuffer buffer;
  buffer.append(DStringPtr()).append(true).append(u'-').append(false).appendNull().append(u"!");
  EXPECT_EQ(buffer.toString()->view(), u"nulltrue-falsenull!");
  EXPECT_EQ(buffer.length(), 19);
}

TEST(DStringBufferTest, SetLengthZeroesAndExposesZeros) {
  DStringBufferPtr buffer = new DStringBuffer(DStringPtr(u"abcd"));
  buffer->setLength(2);
  EXPECT_EQ(buffer->toString()->view(), u"ab");
  buffer->setLength(4);
  EXPECT_EQ(buffer->toString()->view(), std::u16string_view(u"ab\0\0", 4));
  buffer->setLength(10);
  EXPECT_EQ(buffer->capacity(), 11);
  EXPECT_THROWS_CODE(0x05800002u, buffer->setLength(-1));
  EXPECT_EQ(buffer->length(), 10);
}

TEST(DStringBufferTest, IndexErrors) {
  DStringBuffer buffer;
  buffer.append(u"ab");
  EXPECT_EQ(buffer.charAt(1), u'b');
  buffer.setCharAt(0, u'z');
  EXPECT_EQ(buffer.toString()->view(), u"zb");
  EXPECT_THROWS_CODE(0x05800002u, buffer.charAt(2));
  EXPECT_THROWS_CODE(0x05800002u, buffer.charAt(-1));
  EXPECT_THROWS_CODE(0x05800002u, buffer.setCharAt(2, u'x'));
  EXPECT_EQ(buffer.toString()->view(), u"zb");
  EXPECT_EQ(buffer.getClassName(), "DObject");
}

}  // namespace
