#include <gtest/gtest.h>
#include <vector>

#include "ExpectCode.h"
#include "lang/DObjectArray2d.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/DboolArray.h"
#include "lang/DbyteArray.h"
#include "lang/DbyteArray2d.h"
#include "lang/DcharArray.h"
#include "lang/DintArray.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray.h"
#include "lang/DshortArray2d.h"

using namespace qel::lang;

namespace {

// An array of one element class, answering the typed class name.
class StringArray final : public DObjectArray {
public:
  explicit StringArray(int32_t length) : DObjectArray(length) {}
  std::string getClassName() const override { return firstElementClassName("Array", "DObjectArray"); }
};

template <class Array>
std::vector<int> contents(const DPtr<Array>& array) {
  std::vector<int> values;
  for (int i = 0; i < array->length(); ++i) values.push_back(array[i]);
  return values;
}

TEST(ArrayTest, LengthConstructorZeroFillsAndEmptyHasNoStorage) {
  DintArrayPtr ints = new DintArray(3);
  EXPECT_EQ(contents(ints), (std::vector<int>{0, 0, 0}));
  DbyteArrayPtr empty = new DbyteArray(0);
  EXPECT_EQ(empty->length(), 0);
  EXPECT_EQ(empty->data(), nullptr);
  EXPECT_THROWS_CODE(0x05800001u, empty[0]);
  DshortArrayPtr negative = new DshortArray(-4);
  EXPECT_EQ(negative->length(), 0);
  EXPECT_THROWS_CODE(0x05800001u, negative[0]);
}

TEST(ArrayTest, AccessChecksNullAndIndex) {
  DintArrayPtr ints = new DintArray(4);
  DintArrayPtr none;
  DObjectArrayPtr objects = new DObjectArray(4);
  DObjectArrayPtr noObjects;
  struct Case {
    int index;
    uint32_t primitive;
    uint32_t object;
  };
  const Case cases[] = {{-1, 0x05800001, 0x05800000},
                        {0, 0, 0},
                        {3, 0, 0},
                        {4, 0x05800001, 0x05800000},
                        {-2147483647 - 1, 0x05800001, 0x05800000}};
  for (const Case& c : cases) {
    EXPECT_THROWS_CODE(c.primitive, ints[c.index]) << c.index;
    EXPECT_THROWS_CODE(c.primitive, ints->at(c.index)) << c.index;
    EXPECT_THROWS_CODE(c.object, objects[c.index]) << c.index;
    EXPECT_THROWS_CODE(c.object, objects.at(c.index)) << c.index;
  }
  EXPECT_THROWS_CODE(0x05000080u, none[0]);
  EXPECT_THROWS_CODE(0x05000080u, noObjects[0]);
  EXPECT_THROWS_CODE(0x05000080u, noObjects.at(0));
  ints[3] = -9;
  EXPECT_EQ(ints->at(3), -9);
}

TEST(ArrayTest, ValueListsKeepTheLowBits) {
  EXPECT_EQ(contents(DboolArrayPtr(new DboolArray(3, 0, 0, 5, -1))), (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(contents(DbyteArrayPtr(new DbyteArray(3, 0, 300, -129, 127))), (std::vector<int>{44, 127, 127}));
  EXPECT_EQ(contents(DshortArrayPtr(new DshortArray(2, 0, 70000, -32769))), (std::vector<int>{4464, 32767}));
  EXPECT_EQ(contents(DcharArrayPtr(new DcharArray(2, 0, 0x10041, -1))), (std::vector<int>{0x41, 0xFFFF}));
  EXPECT_EQ(contents(DintArrayPtr(new DintArray(5, 0, 100000, 50000, 30000, 20000, 10000))),
            (std::vector<int>{100000, 50000, 30000, 20000, 10000}));
}

TEST(ArrayTest, ValueListWithWrongCountIsRefused) {
  EXPECT_THROWS_CODE(0x05400000u, DintArrayPtr(new DintArray(3, 0, 1, 2)));
  EXPECT_THROWS_CODE(0x05400000u, DbyteArrayPtr(new DbyteArray(1, 0, 1, 2)));
  EXPECT_THROWS_CODE(0x05400000u, DcharArrayPtr(new DcharArray(-1, 0)));
  EXPECT_EQ(DintArrayPtr(new DintArray(0, 0))->length(), 0);
}

TEST(ArrayTest, ObjectArrayHoldsCountedReferences) {
  DStringPtr text = u"x";
  {
    DObjectArrayPtr array = new DObjectArray(2);
    EXPECT_TRUE(array[0].isNull());
    array[1] = text;
    EXPECT_EQ(text->refCount(), 2);
  }
  EXPECT_EQ(text->refCount(), 1);
}

TEST(ArrayTest, ClassNames) {
  EXPECT_EQ(DboolArray(1).getClassName(), "DboolArray");
  EXPECT_EQ(DbyteArray(1).getClassName(), "DbyteArray");
  EXPECT_EQ(DcharArray(1, 0, 65).getClassName(), "DcharArray");
  EXPECT_EQ(DshortArray(1).getClassName(), "DshortArray");
  EXPECT_EQ(DintArray(1).getClassName(), "DintArray");
  EXPECT_EQ(DintArray2d(1).getClassName(), "DintArray2d");
  EXPECT_EQ(DshortArray2d(1).getClassName(), "DshortArray2d");
  EXPECT_EQ(DbyteArray2d(1).getClassName(), "DbyteArray2d");

  DObjectArrayPtr plain = new DObjectArray(1);
  plain[0] = new DString(u"a");
  EXPECT_EQ(plain->getClassName(), "DObject");

  DObjectArrayPtr strings = new StringArray(2);
  EXPECT_EQ(strings->getClassName(), "DObjectArray");
  EXPECT_EQ(StringArray(0).getClassName(), "DObjectArray");
  strings[0] = new DString(u"a");
  EXPECT_EQ(strings->getClassName(), "DStringArray");

  DObjectArray2dPtr table = new DObjectArray2d(2, 1);
  EXPECT_EQ(table->getClassName(), "DObject2d");
  table[0] = strings;
  EXPECT_EQ(table->getClassName(), "DStringArray2d");
  table[0] = nullptr;
  EXPECT_EQ(table->getClassName(), "DObjectArray2d");
  EXPECT_EQ(DObjectArray2d(0, 3).getClassName(), "DObjectArray2d");
}

TEST(ArrayTest, TwoDimensionalAccess) {
  DintArray2dPtr grid = new DintArray2d(2, 3);
  grid[1][2] = 7;
  EXPECT_EQ(grid->at(1)->at(2), 7);
  EXPECT_EQ(grid[0][0], 0);
  EXPECT_THROWS_CODE(0x05800000u, grid[2]);
  EXPECT_THROWS_CODE(0x05800001u, grid[1][3]);
  DbyteArray2dPtr rows = new DbyteArray2d(2);
  EXPECT_TRUE(rows[0].isNull());
  EXPECT_THROWS_CODE(0x05000080u, rows[0][0]);
  rows[0] = new DbyteArray(1);
  EXPECT_EQ(rows[0][0], 0);
  DshortArray2dPtr shorts = new DshortArray2d(1, 2);
  EXPECT_EQ(shorts[0]->length(), 2);
}

// The two-dimensional arrays are object arrays of rows.
TEST(ArrayTest, TwoDimensionalArraysAreObjectArrays) {
  DshortArray2dPtr shorts = new DshortArray2d(2, 3);
  DObjectArrayPtr rows = shorts;
  EXPECT_EQ(rows->length(), 2);
  EXPECT_EQ(rows[1].get(), static_cast<DObject*>(shorts[1].get()));
  rows[0] = new DString(u"not a row");  // through the object array: reads as no row
  EXPECT_TRUE(shorts[0].isNull());
  EXPECT_THROWS_CODE(0x05000080u, shorts[0][0]);
  shorts[0] = shorts[1];
  shorts[0][2] = 9;
  EXPECT_EQ(shorts[1][2], 9);
  EXPECT_THROWS_CODE(0x05800000u, rows[2]);

  DObjectArrayPtr ints = new DintArray2d(1, 1);
  DObjectArrayPtr bytes = new DbyteArray2d(1);
  DObjectArrayPtr objects = new DObjectArray2d(1, 2);
  EXPECT_EQ(qel::lang::dynamicPtrCast<DintArray>(ints[0])->length(), 1);
  EXPECT_TRUE(bytes[0].isNull());
  EXPECT_EQ(qel::lang::dynamicPtrCast<DObjectArray>(objects[0])->length(), 2);
}

DbyteArrayPtr bytes(std::initializer_list<int> values) {
  DbyteArrayPtr array = new DbyteArray(static_cast<int>(values.size()));
  int i = 0;
  for (int v : values) array[i++] = static_cast<int8_t>(v);
  return array;
}

TEST(ArrayCopyTest, BetweenArraysStopsAtTheEndOfTheSource) {
  DbyteArrayPtr src = bytes({1, 2, 3, 4, 5});
  DbyteArrayPtr dst = bytes({0, 0, 0, 0, 0});
  DSystem::arraycopy(src, 2, dst, 0, 4);
  EXPECT_EQ(contents(dst), (std::vector<int>{3, 4, 5, 0, 0}));

  DshortArrayPtr longSrc = new DshortArray(10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
  DshortArrayPtr shortDst = new DshortArray(5);
  DSystem::arraycopy(longSrc, 0, shortDst, 3, 10);
  EXPECT_EQ(contents(shortDst), (std::vector<int>{0, 0, 0, 1, 2}));
}

TEST(ArrayCopyTest, WithinOneArray) {
  DbyteArrayPtr same = bytes({1, 2, 3, 4, 5});
  EXPECT_THROWS_CODE(0x05800001u, DSystem::arraycopy(same, 2, same, 0, 4));
  EXPECT_EQ(contents(same), (std::vector<int>{1, 2, 3, 4, 5}));
  DSystem::arraycopy(same, 0, same, 1, 4);
  EXPECT_EQ(contents(same), (std::vector<int>{1, 1, 2, 3, 4}));
  DboolArrayPtr flags = new DboolArray(3, 0, 1, 0, 0);
  DSystem::arraycopy(flags, 0, flags, 2, 3);
  EXPECT_EQ(contents(flags), (std::vector<int>{1, 0, 1}));
}

TEST(ArrayCopyTest, ArgumentErrors) {
  DbyteArrayPtr a = bytes({1, 2, 3});
  DbyteArrayPtr none;
  struct Case {
    int srcPos, dstPos, length;
    uint32_t code;
  };
  const Case cases[] = {{-1, 0, 1, 0x05800000},
                        {0, -1, 1, 0x05800000},
                        {0, 0, -1, 0x05800000},
                        {4, 0, 0, 0x05800000},
                        {0, 4, 0, 0x05800000},
                        {3, 3, 5, 0}};
  for (const Case& c : cases) {
    DbyteArrayPtr b = bytes({0, 0, 0});
    EXPECT_THROWS_CODE(c.code, DSystem::arraycopy(a, c.srcPos, b, c.dstPos, c.length));
  }
  EXPECT_THROWS_CODE(0x05000080u, DSystem::arraycopy(none, 0, a, 0, 1));
  EXPECT_THROWS_CODE(0x05000080u, DSystem::arraycopy(a, 0, none, 0, 1));
}

}  // namespace
