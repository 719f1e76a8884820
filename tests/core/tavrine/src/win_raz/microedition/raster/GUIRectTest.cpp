#include <climits>
#include <gtest/gtest.h>

#include "microedition/raster/GUIRect.h"

namespace qel::raster {
namespace {

struct IntersectCase {
  GUIRect rect;
  GUIRect clip;
  GUIRect expected;
};

TEST(GUIRect, intersectCutsToTheClipAndEmptiesResultsWithoutArea) {
  const IntersectCase cases[] = {
      {{2, 3, 4, 5}, {0, 0, 10, 10}, {2, 3, 4, 5}},
      {{-3, -2, 10, 10}, {0, 0, 5, 4}, {0, 0, 5, 4}},
      {{8, 8, 5, 5}, {0, 0, 10, 10}, {8, 8, 2, 2}},
      // No overlap: the cut position stays, the size becomes 0 x 0.
      {{-8, 3, 5, 5}, {0, 0, 10, 10}, {0, 3, 0, 0}},
      {{12, 1, 5, 5}, {0, 0, 10, 10}, {12, 1, 0, 0}},
      {{1, 1, 0, 5}, {0, 0, 10, 10}, {1, 1, 0, 0}},
      {{1, 1, -4, 5}, {0, 0, 10, 10}, {1, 1, 0, 0}},
      // Edges beyond 32 bits do not wrap.
      {{0, 0, INT_MAX, INT_MAX}, {0, 0, 7, 9}, {0, 0, 7, 9}},
      {{5, 5, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {5, 5, 0, 0}},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-4, -4, 8, 8}, {-4, -4, 3, 3}},
      {{INT_MAX - 1, 0, 10, 10}, {0, 0, INT_MAX, 10}, {INT_MAX - 1, 0, 1, 10}},
      {{INT_MAX, 0, 10, 10}, {0, 0, INT_MAX, 10}, {INT_MAX, 0, 0, 0}},
  };
  for (const IntersectCase& c : cases) {
    const GUIRect out = GUIRect::intersect(c.rect, c.clip);
    EXPECT_TRUE(GUIRect::equals(out, c.expected))
        << c.rect.x << "," << c.rect.y << " " << c.rect.width << "x" << c.rect.height << " -> " << out.x << "," << out.y
        << " " << out.width << "x" << out.height;
  }
}

TEST(GUIRect, unionHoldsBothOnlyWhenTheOtherHasArea) {
  EXPECT_TRUE(GUIRect::equals(GUIRect::unionRect({0, 0, 2, 2}, {5, 6, 1, 1}), {0, 0, 6, 7}));
  EXPECT_TRUE(GUIRect::equals(GUIRect::unionRect({3, 3, 2, 2}, {-1, 4, 1, 5}), {-1, 3, 6, 6}));
  EXPECT_TRUE(GUIRect::equals(GUIRect::unionRect({3, 3, 2, 2}, {0, 0, 0, 9}), {3, 3, 2, 2}));
  EXPECT_TRUE(GUIRect::equals(GUIRect::unionRect({3, 3, 2, 2}, {0, 0, 9, -1}), {3, 3, 2, 2}));
  EXPECT_TRUE(
      GUIRect::equals(GUIRect::unionRect({INT_MIN, 0, 1, 1}, {INT_MAX - 1, 0, 1, 1}), {INT_MIN, 0, INT_MAX, 1}));
}

TEST(GUIRect, equalsComparesAllFourFields) {
  EXPECT_TRUE(GUIRect::equals({1, 2, 3, 4}, {1, 2, 3, 4}));
  EXPECT_FALSE(GUIRect::equals({1, 2, 3, 4}, {0, 2, 3, 4}));
  EXPECT_FALSE(GUIRect::equals({1, 2, 3, 4}, {1, 0, 3, 4}));
  EXPECT_FALSE(GUIRect::equals({1, 2, 3, 4}, {1, 2, 0, 4}));
  EXPECT_FALSE(GUIRect::equals({1, 2, 3, 4}, {1, 2, 3, 0}));
}

TEST(GUIRect, containsRectIncludesTheEdges) {
  const GUIRect outer{0, 0, 10, 10};
  EXPECT_TRUE(GUIRect::containsRect(outer, {0, 0, 10, 10}));
  EXPECT_TRUE(GUIRect::containsRect(outer, {3, 3, 7, 7}));
  EXPECT_FALSE(GUIRect::containsRect(outer, {3, 3, 8, 7}));
  EXPECT_FALSE(GUIRect::containsRect(outer, {-1, 0, 2, 2}));
  EXPECT_FALSE(GUIRect::containsRect(outer, {1, 1, INT_MAX, 2}));
}

struct SpanCase {
  GUIRect a;
  GUIRect b;
  bool overlaps;
};

TEST(GUIRect, overlapsXAndYCompareTheSpans) {
  const SpanCase cases[] = {
      {{5, 5, 5, 5}, {0, 0, 5, 5}, false},  // b ends where a starts
      {{5, 5, 5, 5}, {0, 0, 6, 6}, true},
      {{5, 5, 5, 5}, {9, 9, 1, 1}, true},
      {{5, 5, 5, 5}, {10, 10, 1, 1}, false},  // b starts where a ends
      {{5, 5, 5, 5}, {5, 5, 0, 0}, true},     // same start: b.x < a.x + a.w
      {{5, 5, INT_MAX, INT_MAX}, {INT_MAX - 1, INT_MAX - 1, 1, 1}, true},
  };
  for (const SpanCase& c : cases) {
    EXPECT_EQ(GUIRect::overlapsX(c.a, c.b), c.overlaps) << c.b.x;
    EXPECT_EQ(GUIRect::overlapsY(c.a, c.b), c.overlaps) << c.b.y;
  }
  EXPECT_TRUE(GUIRect::overlapsX({0, 0, 5, 5}, {2, 50, 1, 1}));
  EXPECT_FALSE(GUIRect::overlapsY({0, 0, 5, 5}, {2, 50, 1, 1}));
}

TEST(GUIRect, overlapsAndContainsCountTouchingEdges) {
  const SpanCase cases[] = {
      {{5, 5, 5, 5}, {0, 0, 5, 5}, true},   // corners touch
      {{5, 5, 5, 5}, {0, 0, 4, 4}, false},  // one pixel apart
      {{5, 5, 5, 5}, {10, 5, 3, 3}, true},  // right edge touches
      {{5, 5, 5, 5}, {11, 5, 3, 3}, false},
      {{5, 5, 5, 5}, {6, 20, 1, 1}, false},  // spans overlap on x only
      {{0, 0, INT_MAX, INT_MAX}, {INT_MAX - 1, INT_MAX - 1, 1, 1}, true},
  };
  for (const SpanCase& c : cases) {
    EXPECT_EQ(GUIRect::overlaps(c.a, c.b), c.overlaps) << c.b.x << "," << c.b.y;
    EXPECT_EQ(GUIRect::overlaps(c.b, c.a), c.overlaps) << c.b.x << "," << c.b.y;
  }
  const GUIRect r{5, 5, 5, 5};
  EXPECT_TRUE(GUIRect::contains(r, 5, 5));
  EXPECT_TRUE(GUIRect::contains(r, 10, 10));
  EXPECT_FALSE(GUIRect::contains(r, 11, 10));
  EXPECT_FALSE(GUIRect::contains(r, 4, 5));
  EXPECT_TRUE(GUIRect::contains({0, 0, INT_MAX, INT_MAX}, int64_t{INT_MAX} + 0, int64_t{INT_MAX}));
}

}  // namespace
}  // namespace qel::raster
