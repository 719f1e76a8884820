#include <climits>
#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"
#include "lang/DshortArray2d.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameTables.h"
#include "tests/support/Writable.h"

using nvx::GameHelpers;
using nvx::GameTables;

TEST(HelpersTest, RoundsUp) {
  struct Case {
    int32_t a, b;
    bool up;
  };
  const Case cases[] = {{7, 2, true},
                        {7, 3, false},
                        {8, 3, true},
                        {-7, 2, false},
                        {6, 3, false},
                        {0, 5, false},
                        {INT_MAX, 2, true},
                        {5, 0, false}};
  for (const Case& c : cases) EXPECT_EQ(GameHelpers::roundsUp(c.a, c.b), c.up) << c.a << " / " << c.b;
}

TEST(HelpersTest, BitsOfFlagBytes) {
  EXPECT_EQ(GameHelpers::setBit(0x40, 7, true), -64);
  EXPECT_EQ(GameHelpers::setBit(0xC0, 6, false), -128);
  EXPECT_EQ(GameHelpers::setBit(0x0F, 40, true), 0x0F);
  EXPECT_TRUE(GameHelpers::testBit(0x10, 4));
  EXPECT_FALSE(GameHelpers::testBit(0x10, 3));
  EXPECT_TRUE(GameHelpers::testBit(INT_MIN, 31));
  EXPECT_FALSE(GameHelpers::testBit(-1, 32));
  EXPECT_FALSE(GameHelpers::testBit(-1, -1));
}

TEST(HelpersTest, GlyphClasses) {
  for (int32_t glyph = 0; glyph < 100; ++glyph) {
    bool a = glyph == 57 || glyph == 58 || (glyph >= 61 && glyph <= 70) || glyph == 75 || glyph == 76;
    EXPECT_EQ(GameHelpers::isFontGlyphA(glyph), a) << glyph;
    EXPECT_EQ(GameHelpers::isFontGlyphB(glyph), a || (glyph >= 79 && glyph <= 93)) << glyph;
  }
}

TEST(HelpersTest, ItemCodes) {
  EXPECT_EQ(GameHelpers::itemCode(0), 'h');
  EXPECT_EQ(GameHelpers::itemCode(11), 's');
  EXPECT_EQ(GameHelpers::itemCode(12), 't');
}

TEST(HelpersTest, RandomInRange) {
  nvtest::writable(GameTables::random) = new qel::util::DRandom(42);
  EXPECT_EQ(GameHelpers::randomInRange(5, 5), 5);
  EXPECT_EQ(GameHelpers::randomInRange(9, 3), 9);
  qel::util::DRandom untouched(42);
  EXPECT_EQ(GameTables::random->next(32), untouched.next(32));
  for (int32_t i = 0; i < 200; ++i) {
    int32_t v = GameHelpers::randomInRange(10, 30);
    EXPECT_GE(v, 10);
    EXPECT_LE(v, 30);
  }
  for (int32_t i = 0; i < 50; ++i) EXPECT_LE(GameHelpers::randomInRange(INT_MIN, INT_MAX - 1), INT_MAX - 1);
  nvtest::writable(GameTables::random).release();
}

TEST(HelpersTest, DrawOfTheSmallestIntegerStaysInRange) {
  // |INT_MIN| does not fit 32 bits; a plain abs would give a result below lo.
  EXPECT_EQ(GameHelpers::pickInRange(0, 6, INT_MIN), static_cast<int32_t>(2147483648ULL % 7));
  EXPECT_EQ(GameHelpers::pickInRange(-3, 3, -10), -3 + 10 % 7);
  EXPECT_EQ(GameHelpers::pickInRange(INT_MIN, INT_MAX, -1), INT_MIN + 1);
}

TEST(HelpersTest, TakeRefMovesTheCount) {
  qel::lang::DshortArray2dPtr from = GameHelpers::newShortArray2d(2, 3);
  qel::lang::DshortArray2d* object = from.get();
  int32_t count = object->refCount();
  qel::lang::DshortArray2dPtr to = GameHelpers::takeRef(from);
  EXPECT_TRUE(from.isNull());
  EXPECT_EQ(to.get(), object);
  EXPECT_EQ(object->refCount(), count);
  EXPECT_EQ(to->at(1)->length(), 3);
}

TEST(HelpersTest, NegativeRowsAreRefused) {
  try {
    GameHelpers::newShortArray2d(-1, 2);
    FAIL();
  } catch (const qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), qel::lang::ExceptionCode::IndexOutOfBounds);
  }
  EXPECT_EQ(GameHelpers::newShortArray2d(0, 2)->length(), 0);
}
