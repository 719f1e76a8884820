#include <gtest/gtest.h>

#include "Tracked.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "util/DEnumeration.h"
#include "util/DVector.h"

using namespace qel::lang;
using namespace qel::util;

namespace {

DVectorPtr vectorOf(std::initializer_list<int> values, int capacity = DVector::DefaultCapacity) {
  DVectorPtr vector = new DVector(capacity);
  for (int value : values) vector->addElement(new DInteger(value));
  return vector;
}

int valueAt(const DVectorPtr& vector, int index) {
  return static_cast<DInteger*>(vector->elementAt(index))->intValue();
}

}  // namespace

TEST(DVectorTest, GrowsToTheLargerOfSizePlusOneAndTwiceTheCapacity) {
  struct Case {
    int initial;
    int adds;
    int capacity;
  };
  for (Case c : {Case{16, 0, 16},
                 Case{16, 16, 16},
                 Case{16, 17, 32},
                 Case{16, 33, 64},
                 Case{0, 1, 1},
                 Case{0, 2, 2},
                 Case{0, 3, 4},
                 Case{0, 5, 8},
                 Case{1, 2, 2}}) {
    DVectorPtr vector = new DVector(c.initial);
    for (int i = 0; i < c.adds; ++i) vector->addElement(new DInteger(i));
    EXPECT_EQ(vector->capacity(), c.capacity) << c.initial << " + " << c.adds;
    EXPECT_EQ(vector->size(), c.adds);
    for (int i = 0; i < c.adds; ++i) EXPECT_EQ(valueAt(vector, i), i);
  }
  EXPECT_EQ(DVectorPtr(new DVector())->capacity(), 16);
}

TEST(DVectorTest, ErrorsLeaveTheVectorUnchanged) {
  DVectorPtr vector = vectorOf({1, 2, 3});
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBounds, vector->elementAt(3));
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBounds, vector->elementAt(-1));
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBounds, vector->removeElementAt(3));
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBounds, vector->removeElementAt(-1));
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBounds, vector->setSize(-1));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, vector->addElement(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, vector->copyInto(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::IllegalArgument, DVectorPtr(new DVector(-1)));
  EXPECT_EQ(vector->size(), 3);
  EXPECT_EQ(valueAt(vector, 2), 3);
}

TEST(DVectorTest, RemovalReleasesAndClosesTheGap) {
  bool alive = false;
  DVectorPtr vector = vectorOf({1});
  vector->addElement(new Tracked(&alive));
  vector->addElement(new DInteger(3));
  vector->removeElementAt(1);
  EXPECT_FALSE(alive);
  ASSERT_EQ(vector->size(), 2);
  EXPECT_EQ(valueAt(vector, 1), 3);

  EXPECT_TRUE(vector->removeElement(new DInteger(1)));
  EXPECT_FALSE(vector->removeElement(new DInteger(1)));
  ASSERT_EQ(vector->size(), 1);
  EXPECT_EQ(valueAt(vector, 0), 3);

  vector->removeAllElements();
  EXPECT_EQ(vector->size(), 0);
  EXPECT_EQ(vector->capacity(), 16);
}

TEST(DVectorTest, SearchesUseTheElementsEquals) {
  DVectorPtr vector = vectorOf({5, 7, 5});
  EXPECT_EQ(vector->indexOf(new DInteger(5)), 0);
  EXPECT_EQ(vector->indexOf(new DInteger(7)), 1);
  EXPECT_EQ(vector->indexOf(new DInteger(8)), -1);
  EXPECT_EQ(vector->indexOf(nullptr), -1);
  EXPECT_TRUE(vector->contains(new DInteger(7)));
  EXPECT_FALSE(vector->contains(new DInteger(6)));
}

TEST(DVectorTest, SetSizeShrinksReleasingAndGrowsOnlyTheStore) {
  bool second = false;
  bool third = false;
  DVectorPtr vector = vectorOf({1});
  vector->addElement(new Tracked(&second));
  vector->addElement(new Tracked(&third));
  vector->setSize(1);
  EXPECT_FALSE(second);
  EXPECT_FALSE(third);
  EXPECT_EQ(vector->size(), 1);
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBounds, vector->elementAt(1));

  vector->setSize(40);
  EXPECT_EQ(vector->capacity(), 40);
  EXPECT_EQ(vector->size(), 1);
  vector->setSize(41);
  EXPECT_EQ(vector->capacity(), 80);
  vector->addElement(new DInteger(2));
  EXPECT_EQ(valueAt(vector, 1), 2);
}

TEST(DVectorTest, CopyIntoFillsWhatFitsAndCountsEach) {
  DVectorPtr vector = vectorOf({1, 2, 3});
  DObjectArrayPtr shorter = new DObjectArray(2);
  vector->copyInto(shorter);
  EXPECT_EQ(shorter[0].get(), vector->elementAt(0));
  EXPECT_EQ(shorter[1].get(), vector->elementAt(1));
  EXPECT_EQ(vector->elementAt(0)->refCount(), 2);

  DObjectArrayPtr longer = new DObjectArray(4);
  longer[3] = new DInteger(9);
  vector->copyInto(longer);
  EXPECT_EQ(longer[2].get(), vector->elementAt(2));
  EXPECT_EQ(static_cast<DInteger*>(longer[3].get())->intValue(), 9);
}

TEST(DVectorTest, EnumerationReadsTheSizeAtEachStepAndHoldsTheVector) {
  bool alive = false;
  DVectorPtr vector = vectorOf({1, 2});
  vector->addElement(new Tracked(&alive));
  DEnumerationPtr elements = vector->elements();
  vector->removeElementAt(0);
  vector.release();
  EXPECT_TRUE(alive);

  ASSERT_TRUE(elements->hasMoreElements());
  EXPECT_EQ(static_cast<DInteger*>(elements->nextElement())->intValue(), 2);
  ASSERT_TRUE(elements->hasMoreElements());
  EXPECT_NE(elements->nextElement(), nullptr);
  EXPECT_FALSE(elements->hasMoreElements());
  EXPECT_EQ(elements->nextElement(), nullptr);
  elements.release();
  EXPECT_FALSE(alive);
}
