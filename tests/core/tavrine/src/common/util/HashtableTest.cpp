#include <gtest/gtest.h>
#include <vector>

#include "DHashtableChecker.h"
#include "Tracked.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

using namespace qel::lang;
using namespace qel::util;

namespace {

// The number a DInteger or DShort holds; -1 for null.
int intOf(const DObject* object) {
  if (auto* integer = dynamic_cast<const DInteger*>(object)) return integer->intValue();
  if (auto* shortValue = dynamic_cast<const DShort*>(object)) return shortValue->shortValue();
  return -1;
}

DObjectPtr number(int value) { return new DInteger(value); }

std::vector<int> drain(const DEnumerationPtr& enumeration) {
  std::vector<int> values;
  while (enumeration->hasMoreElements()) values.push_back(intOf(enumeration->nextElement()));
  return values;
}

}  // namespace

TEST(DHashtableTest, ConstructionNumbers) {
  struct Case {
    int capacity;
    int loadFactor;
    int buckets;
    int threshold;
  };
  for (Case c : {Case{11, 75, 11, 8},
                 Case{0, 75, 1, 0},
                 Case{1, 100, 1, 1},
                 Case{23, 75, 23, 17},
                 Case{1000000, 300, 1000000, 3000000}}) {
    DHashtablePtr table = new DHashtable(c.capacity, c.loadFactor);
    EXPECT_EQ(table->bucketCount(), c.buckets) << c.capacity;
    EXPECT_EQ(table->threshold(), c.threshold) << c.capacity;
    EXPECT_EQ(table->poolCapacity(), 16);
    EXPECT_EQ(table->size(), 0);
  }
  EXPECT_THROWS_CODE(ExceptionCode::IllegalArgument, DHashtablePtr(new DHashtable(-1, 75)));
  EXPECT_THROWS_CODE(ExceptionCode::IllegalArgument, DHashtablePtr(new DHashtable(5, 0)));
}

TEST(DHashtableTest, RehashesWhenFullAndGrowsThePoolBy64) {
  DHashtablePtr table = new DHashtable(11, 75);
  for (int i = 0; i < 8; ++i) table->put(number(i), number(i));
  EXPECT_EQ(table->bucketCount(), 11);
  table->put(number(8), number(8));
  EXPECT_EQ(table->bucketCount(), 23);
  EXPECT_EQ(table->threshold(), 17);
  for (int i = 9; i < 16; ++i) table->put(number(i), number(i));
  EXPECT_EQ(table->poolCapacity(), 16);
  table->put(number(16), number(16));
  EXPECT_EQ(table->poolCapacity(), 80);
  EXPECT_EQ(DHashtableChecker::check(*table), "");
  for (int i = 0; i < 17; ++i) EXPECT_EQ(intOf(table->get(number(i))), i);

  DHashtablePtr single = new DHashtable(0, 75);
  single->put(number(1), number(1));
  EXPECT_EQ(single->bucketCount(), 3);
}

TEST(DHashtableTest, ReplacementKeepsOneEntryAndTakesTheNewKey) {
  DHashtablePtr table = new DHashtable(11, 75);
  DObjectPtr firstKey = new DString(u"key");
  DObjectPtr secondKey = new DString(u"key");
  EXPECT_EQ(table->put(firstKey, number(1)), nullptr);
  EXPECT_EQ(intOf(table->put(secondKey, number(2)).get()), 1);
  EXPECT_EQ(table->size(), 1);
  EXPECT_EQ(intOf(table->get(new DString(u"key"))), 2);
  DEnumerationPtr keys = table->keys();
  EXPECT_EQ(keys->nextElement(), secondKey.get());
  EXPECT_EQ(firstKey->refCount(), 1);
}

TEST(DHashtableTest, RemovalMovesTheLastEntryIntoTheHole) {
  DHashtablePtr table = new DHashtable(11, 75);
  table->put(number(1), number(10));
  table->put(number(2), number(20));
  table->put(number(3), number(30));
  EXPECT_EQ(intOf(table->remove(number(2)).get()), 20);
  EXPECT_EQ(table->size(), 2);
  EXPECT_EQ(intOf(table->get(number(1))), 10);
  EXPECT_EQ(intOf(table->get(number(3))), 30);
  EXPECT_EQ(drain(table->elements()), (std::vector<int>{10, 30}));
  EXPECT_EQ(drain(table->keys()), (std::vector<int>{1, 3}));
  EXPECT_EQ(table->remove(number(2)), nullptr);
  EXPECT_EQ(table->remove(nullptr), nullptr);
  EXPECT_EQ(DHashtableChecker::check(*table), "");
}

TEST(DHashtableTest, IntegerKeysMatchByHashAlone) {
  DHashtablePtr table = new DHashtable(11, 75);
  table->put(number(7), number(70));
  table->put(new DShort(9), number(90));
  EXPECT_EQ(intOf(table->get(7)), 70);
  EXPECT_EQ(intOf(table->get(9)), 90);
  EXPECT_EQ(table->get(8), nullptr);
  EXPECT_EQ(intOf(table->get(new DInteger(7))), 70);
  EXPECT_EQ(table->get(new DShort(7)), nullptr);

  EXPECT_EQ(table->put(-5, number(50)), nullptr);
  EXPECT_EQ(intOf(table->get(-5)), 50);
  EXPECT_EQ(table->get(new DInteger(-5)), nullptr);
  EXPECT_EQ(drain(table->keys()), (std::vector<int>{7, 9, -1}));
}

// Two entries of hash 5 (a DInteger and a DShort key): get(5) answers the
// first of the chain, and a rehash rebuilds the chains in pool order.
TEST(DHashtableTest, RehashPushesEntriesInPoolOrder) {
  DHashtablePtr table = new DHashtable(11, 75);
  table->put(number(100), number(0));
  table->put(number(5), number(1));
  table->put(new DShort(5), number(2));
  EXPECT_EQ(intOf(table->get(5)), 2);
  table->remove(number(100));
  EXPECT_EQ(drain(table->elements()), (std::vector<int>{2, 1}));
  EXPECT_EQ(intOf(table->get(5)), 2);
  for (int i = 0; i < 7; ++i) table->put(number(200 + i), number(0));
  EXPECT_EQ(table->bucketCount(), 23);
  EXPECT_EQ(intOf(table->get(5)), 1);
  EXPECT_EQ(DHashtableChecker::check(*table), "");
}

TEST(DHashtableTest, IntegerPutOnAnObjectKeyKeepsTheKey) {
  DHashtablePtr table = new DHashtable(11, 75);
  DObjectPtr key = new DInteger(4);
  table->put(key, number(1));
  EXPECT_EQ(intOf(table->put(4, number(2)).get()), 1);
  EXPECT_EQ(table->size(), 1);
  EXPECT_EQ(intOf(table->get(new DInteger(4))), 2);
  EXPECT_TRUE(table->containsKey(new DInteger(4)));
  EXPECT_EQ(intOf(table->remove(new DInteger(4)).get()), 2);
  EXPECT_EQ(key->refCount(), 1);
}

TEST(DHashtableTest, NullKeysAndValues) {
  DHashtablePtr table = new DHashtable(11, 75);
  EXPECT_THROWS_CODE(ExceptionCode::Runtime, table->put(nullptr, number(1)));
  EXPECT_THROWS_CODE(ExceptionCode::Runtime, table->put(number(1), nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, table->put(1, nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, table->get(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, table->containsKey(nullptr));
  EXPECT_EQ(table->size(), 0);
}

TEST(DHashtableTest, ClearReleasesEntriesAndKeepsTheStore) {
  bool keyAlive = false;
  bool valueAlive = false;
  DHashtablePtr table = new DHashtable(0, 75);
  for (int i = 0; i < 20; ++i) table->put(number(i), number(i));
  table->put(new Tracked(&keyAlive), new Tracked(&valueAlive));
  int buckets = table->bucketCount();
  table->clear();
  EXPECT_FALSE(keyAlive);
  EXPECT_FALSE(valueAlive);
  EXPECT_EQ(table->size(), 0);
  EXPECT_EQ(table->bucketCount(), buckets);
  EXPECT_EQ(table->poolCapacity(), 80);
  EXPECT_EQ(table->get(number(3)), nullptr);
  EXPECT_EQ(DHashtableChecker::check(*table), "");
}

TEST(DHashtableTest, EnumerationsStopAtTheLiveEntries) {
  DHashtablePtr table = new DHashtable(11, 75);
  for (int i = 0; i < 3; ++i) table->put(number(i), number(i));
  DEnumerationPtr values = table->elements();
  DEnumerationPtr keys = table->keys();
  EXPECT_EQ(intOf(values->nextElement()), 0);
  table->remove(number(1));
  table->remove(number(2));
  EXPECT_FALSE(values->hasMoreElements());
  EXPECT_EQ(values->nextElement(), nullptr);
  EXPECT_EQ(intOf(keys->nextElement()), 0);
  EXPECT_EQ(keys->nextElement(), nullptr);
  EXPECT_EQ(keys->nextElement(), nullptr);
}

TEST(DHashtableTest, EnumerationsKeepTheTableAlive) {
  bool alive = false;
  DHashtablePtr table = new DHashtable(11, 75);
  table->put(number(1), new Tracked(&alive));
  DEnumerationPtr values = table->elements();
  DEnumerationPtr keys = table->keys();
  table.release();
  EXPECT_TRUE(alive);
  ASSERT_TRUE(values->hasMoreElements());
  EXPECT_NE(values->nextElement(), nullptr);
  EXPECT_EQ(intOf(keys->nextElement()), 1);
  values.release();
  EXPECT_TRUE(alive);
  keys.release();
  EXPECT_FALSE(alive);
}
