#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "display/kernels/BufferCopy.h"

namespace tdlx {
namespace {

constexpr std::uint16_t kUntouched = 0xDEAD;

struct RectCase {
  const char* name;
  Rect rect;
  Rect copied;
};

TEST(CopyRect, CopiesExactlyTheClippedRectangle) {
  const RectCase cases[] = {
      {"inside", {3, 5, 7, 9}, {3, 5, 7, 9}},
      {"whole", {0, 0, 21, 13}, {0, 0, 21, 13}},
      {"rounded past the right and bottom edges", {0, 0, 22, 14}, {0, 0, 21, 13}},
      {"negative corner", {-4, -2, 5, 6}, {0, 0, 5, 6}},
      {"empty", {8, 8, 8, 12}, {0, 0, 0, 0}},
      {"outside", {30, 0, 40, 5}, {0, 0, 0, 0}},
  };
  for (const RectCase& c : cases) {
    TestBuffer src(21, 13, 3);
    src.fillWithPattern();
    TestBuffer dst(21, 13, 1);
    copyRect(dst.info(), src.info(), c.rect);
    for (std::int32_t y = 0; y < 13; ++y) {
      for (std::int32_t x = 0; x < 22; ++x) {
        const bool inside = x >= c.copied.left && x < c.copied.right && y >= c.copied.top && y < c.copied.bottom;
        const std::uint16_t expected = inside ? src.at(x, y) : kUntouched;
        ASSERT_EQ(dst.at(x, y), expected) << c.name << " at " << x << ", " << y;
      }
    }
  }
}

TEST(CopyBlock, CopiesWholeRowsWithinBothBuffers) {
  struct Case {
    std::int32_t srcPad, dstPad, top, bottom, firstRow, lastRow;
  };
  for (const Case& c :
       {Case{2, 2, 3, 7, 3, 7}, Case{2, 2, 0, 99, 0, 10}, Case{0, 4, 2, 5, 2, 5}, Case{4, 0, -3, 4, 0, 4}}) {
    TestBuffer src(15, 10, c.srcPad);
    src.fillWithPattern();
    TestBuffer dst(15, 10, c.dstPad);
    copyBlock(dst.info(), src.info(), c.top, c.bottom);
    for (std::int32_t y = 0; y < 10; ++y) {
      for (std::int32_t x = 0; x < 15; ++x) {
        const bool inside = y >= c.firstRow && y < c.lastRow;
        ASSERT_EQ(dst.at(x, y), inside ? src.at(x, y) : kUntouched)
            << "rows " << c.top << ".." << c.bottom << " pads " << c.srcPad << "/" << c.dstPad;
      }
    }
  }
}

}  // namespace
}  // namespace tdlx
