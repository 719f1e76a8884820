#include <gtest/gtest.h>
#include <string>

#include "lang/DPtr.h"
#include "util/DCyclicBuf.h"

namespace {

using qel::util::DCyclicBuf;

int32_t put(DCyclicBuf& buf, const std::string& text) {
  return buf.write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()));
}

std::string take(DCyclicBuf& buf, int32_t len) {
  std::string out(static_cast<size_t>(len), '\0');
  const int32_t n = buf.read(reinterpret_cast<uint8_t*>(out.data()), len);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

TEST(CyclicBuf, PartialReadsAndOverfullWrites) {
  DCyclicBuf buf(8);
  EXPECT_EQ(put(buf, "abc"), 3);
  EXPECT_EQ(take(buf, 10), "abc");
  EXPECT_EQ(buf.stored(), 0);
  EXPECT_EQ(put(buf, "0123456789"), 8);
  EXPECT_EQ(put(buf, "x"), 0);
  EXPECT_EQ(take(buf, 8), "01234567");
  EXPECT_EQ(buf.read(), -1);
}

TEST(CyclicBuf, WrappedDataReadsBackInOrderAndWritesNeverOverlap) {
  DCyclicBuf buf(8);
  put(buf, "123456");
  EXPECT_EQ(take(buf, 5), "12345");
  EXPECT_EQ(put(buf, "abcdef"), 6);  // crosses the end of the store
  EXPECT_EQ(buf.writeIndex(), 4);
  // The write index is below the read index now; the next write must land
  // after the stored bytes, not over them.
  EXPECT_EQ(put(buf, "X"), 1);
  EXPECT_EQ(take(buf, 8), "6abcdefX");
}

TEST(CyclicBuf, ByteReadGivesUnsignedValues) {
  DCyclicBuf buf(4);
  const uint8_t bytes[] = {0xFF, 0x00};
  buf.write(bytes, 2);
  EXPECT_EQ(buf.read(), 255);
  EXPECT_EQ(buf.read(), 0);
  EXPECT_EQ(buf.read(), -1);
}

TEST(CyclicBuf, DirectWriteRefusesOtherUseAndCommitsOnlyItsRun) {
  DCyclicBuf buf(8);
  put(buf, "abcdef");
  take(buf, 4);  // read index 4, write index 6
  int32_t len = -1;
  uint8_t* run = buf.getFreeSpace(&len);
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(len, 2);
  int32_t second = -1;
  EXPECT_EQ(buf.getFreeSpace(&second), nullptr);
  EXPECT_EQ(second, 0);
  uint8_t scratch[2];
  EXPECT_EQ(buf.read(scratch, 1), -1);
  EXPECT_EQ(put(buf, "z"), -1);
  EXPECT_EQ(buf.grow(4), -1);
  EXPECT_EQ(buf.read(), 'e');
  run[0] = 'g';
  run[1] = 'h';
  buf.commitWrite(5);
  EXPECT_EQ(buf.stored(), 3);
  EXPECT_EQ(buf.writeIndex(), 0);
  EXPECT_EQ(take(buf, 8), "fgh");
}

TEST(CyclicBuf, FullBufferHandsOutNoRunAndEmptyCommitCloses) {
  DCyclicBuf buf(2);
  int32_t len = -1;
  ASSERT_NE(buf.getFreeSpace(&len), nullptr);
  buf.commitWrite(0);
  EXPECT_EQ(buf.stored(), 0);
  put(buf, "ab");
  EXPECT_EQ(buf.getFreeSpace(&len), nullptr);
  EXPECT_EQ(len, 0);
  EXPECT_EQ(put(buf, "c"), 0);
}

TEST(CyclicBuf, GrowMovesTheDataToTheStart) {
  DCyclicBuf buf(4);
  put(buf, "xxab");
  take(buf, 2);
  put(buf, "cd");
  EXPECT_EQ(buf.grow(2), 6);
  EXPECT_EQ(buf.capacity(), 6);
  EXPECT_EQ(buf.readIndex(), 0);
  EXPECT_EQ(buf.writeIndex(), 4);
  EXPECT_EQ(buf.stored(), 4);
  EXPECT_EQ(take(buf, 6), "abcd");
  DCyclicBuf exact(2);
  put(exact, "ab");
  EXPECT_EQ(exact.grow(-2), 2);
  EXPECT_EQ(exact.writeIndex(), 0);
  EXPECT_EQ(take(exact, 2), "ab");
}

TEST(CyclicBuf, IndexOfFindsTheLineFeedWhereverTheDataStands) {
  for (int shift = 0; shift < 6; ++shift) {
    DCyclicBuf buf(6);
    EXPECT_EQ(buf.indexOf(), -1);
    put(buf, std::string(static_cast<size_t>(shift), '-'));
    take(buf, shift);
    put(buf, "ab\ncd");
    EXPECT_EQ(buf.indexOf(), 2) << shift;
    EXPECT_EQ(buf.indexOf(2), 2) << shift;
    EXPECT_EQ(buf.indexOf(3), -1) << shift;
    take(buf, 3);
    EXPECT_EQ(buf.indexOf(), -1) << shift;
  }
}

TEST(CyclicBuf, IndexOfFromASkipsTheBytesBeforeIt) {
  for (int shift = 0; shift < 7; ++shift) {
    DCyclicBuf buf(7);
    put(buf, std::string(static_cast<size_t>(shift), '-'));
    take(buf, shift);
    put(buf, "\nab\ncd\n");
    for (auto [from, found] : {std::pair{-1, 0}, {0, 0}, {1, 3}, {3, 3}, {4, 6}, {6, 6}, {7, -1}})
      EXPECT_EQ(buf.indexOf(from), found) << "shift " << shift << " from " << from;
  }
}

TEST(CyclicBuf, ClearEmptiesUnlessADirectWriteIsOpen) {
  DCyclicBuf buf(4);
  put(buf, "ab");
  EXPECT_TRUE(buf.clear());
  EXPECT_EQ(buf.stored(), 0);
  int32_t len = 0;
  buf.getFreeSpace(&len);
  EXPECT_FALSE(buf.clear());
}

}  // namespace
