#include <gtest/gtest.h>
#include <vector>

#include "StreamBytes.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

TEST(DByteArrayOutputStreamTest, GrowsBy64OrToTheNeedPlus64) {
  DByteArrayOutputStreamPtr singles = new DByteArrayOutputStream();
  EXPECT_EQ(singles->capacity(), 64);
  for (int i = 0; i < 64; ++i) singles->write(i);
  EXPECT_EQ(singles->capacity(), 64);
  singles->write(64);
  EXPECT_EQ(singles->capacity(), 128);
  DbyteArrayPtr written = singles->toByteArray();
  ASSERT_EQ(written->length(), 65);
  for (int i = 0; i < 65; ++i) EXPECT_EQ(written->data()[i], i);

  DByteArrayOutputStreamPtr block = new DByteArrayOutputStream();
  block->write(new DbyteArray(200));
  EXPECT_EQ(block->capacity(), 264);
  block->write(new DbyteArray(64));
  EXPECT_EQ(block->capacity(), 264);
  block->write(new DbyteArray(1));
  EXPECT_EQ(block->capacity(), 329);
  EXPECT_EQ(block->size(), 265);
}

TEST(DByteArrayOutputStreamTest, BlockWritesResetAndClose) {
  DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
  out->write(arrayOf({1, 2, 3, 4}), 1, 2);
  out->write(0x1FF);
  EXPECT_EQ(bytesOf(out->toByteArray()), (std::vector<uint8_t>{2, 3, 0xFF}));
  out->reset();
  EXPECT_EQ(out->toByteArray()->length(), 0);
  EXPECT_EQ(out->capacity(), 64);
  out->write(5);
  EXPECT_EQ(bytesOf(out->toByteArray()), (std::vector<uint8_t>{5}));
  out->close();
  EXPECT_EQ(out->capacity(), 0);
  EXPECT_EQ(out->toByteArray()->length(), 0);
}

TEST(DByteArrayOutputStreamTest, OutOfRangeWritesAreRefused) {
  DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
  DbyteArrayPtr b = new DbyteArray(4);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, out->write(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, out->write(nullptr, 0, 1));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, out->write(b, -1, 1));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, out->write(b, 0, -1));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, out->write(b, 3, 2));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, out->write(b, 1, 0x7FFFFFFF));
  EXPECT_EQ(out->size(), 0);
  EXPECT_EQ(out->capacity(), 64);
}

TEST(DByteArrayOutputStreamTest, ToStringReadsTheBufferAsOneCountedString) {
  DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
  out->write(arrayOf({0x00, 0x02, 0x41, 0x42}));
  EXPECT_EQ(out->toString()->view(), u"AB");
  out->reset();
  EXPECT_EQ(out->toString()->view(), u"AB");
}

TEST(DDataOutputStreamTest, WritesBigEndianThroughTheWrappedStream) {
  DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
  DDataOutputStreamPtr out = new DDataOutputStream(bytes);
  out->writeShort(0x1234);
  out->writeInt(-1);
  out->writeByte(0x180);
  out->write(arrayOf({7, 8}));
  out->write(arrayOf({7, 8, 9}), 2, 1);
  out->flush();
  EXPECT_EQ(bytesOf(bytes->toByteArray()), (std::vector<uint8_t>{0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0x80, 7, 8, 9}));
  out->close();
  EXPECT_EQ(bytes->capacity(), 0);
}

TEST(DDataOutputStreamTest, NullWrappedStreamFails) {
  DDataOutputStreamPtr out = new DDataOutputStream(nullptr);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, out->writeInt(1));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, out->write(arrayOf({1})));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, out->flush());
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, out->close());
}
