#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "StreamBytes.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

DByteArrayInputStreamPtr streamOf(const std::vector<uint8_t>& bytes) {
  return new DByteArrayInputStream(arrayOf(bytes));
}

}  // namespace

TEST(DByteArrayInputStreamTest, EndOfDataAnswersDifferByOperation) {
  DByteArrayInputStreamPtr in = streamOf({1, 2, 3});
  uint8_t buf[4] = {};
  EXPECT_EQ(in->skip(10), 3);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->read(new DbyteArray(4), 0, 4), -1);
  EXPECT_EQ(in->read(new DbyteArray(4)), -1);
  EXPECT_EQ(in->readRaw(buf, 4), 0);
  EXPECT_EQ(in->available(), 0);
  in->reset();
  EXPECT_EQ(in->available(), 3);
  EXPECT_EQ(in->readRaw(buf, 4), 3);
  EXPECT_EQ(buf[2], 3);
}

TEST(DByteArrayInputStreamTest, BlockReadsCopyWhatRemains) {
  DByteArrayInputStreamPtr in = streamOf({1, 2, 3, 0xFF});
  DbyteArrayPtr b = arrayOf({9, 9, 9, 9, 9});
  EXPECT_EQ(in->read(b, 1, 2), 2);
  EXPECT_EQ(in->read(b, 3, 2), 2);
  EXPECT_EQ(bytesOf(b), (std::vector<uint8_t>{9, 1, 2, 3, 0xFF}));
  EXPECT_EQ(in->getPosition(), 4);
  in->reset();
  EXPECT_EQ(in->read(b, 0, 0), 0);
  EXPECT_EQ(in->skip(3), 3);
  EXPECT_EQ(in->read(), 0xFF);
}

TEST(DByteArrayInputStreamTest, OutOfRangeTransfersAreRefused) {
  DByteArrayInputStreamPtr in = streamOf({1, 2, 3});
  DbyteArrayPtr b = new DbyteArray(4);
  uint8_t buf[4] = {};
  const std::vector<std::pair<uint32_t, std::function<void()>>> cases = {
      {ExceptionCode::IndexOutOfBounds, [&] { in->read(b, -1, 2); }},
      {ExceptionCode::IndexOutOfBounds, [&] { in->read(b, 0, -1); }},
      {ExceptionCode::IndexOutOfBounds, [&] { in->read(b, 3, 2); }},
      {ExceptionCode::IndexOutOfBounds, [&] { in->read(b, 0x7FFFFFFF, 1); }},
      {ExceptionCode::IndexOutOfBounds, [&] { in->readRaw(buf, -1); }},
      {ExceptionCode::NullPointer, [&] { in->read(nullptr, 0, 1); }},
      {ExceptionCode::NullPointer, [&] { in->read(nullptr); }},
      {ExceptionCode::NullPointer, [&] { in->readRaw(nullptr, 1); }},
  };
  for (const auto& [code, transfer] : cases) EXPECT_EQ(thrownCode(transfer), code);
  EXPECT_EQ(in->getPosition(), 0);
  EXPECT_EQ(in->skip(-5), 0);
  EXPECT_EQ(in->getPosition(), 0);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, DByteArrayInputStreamPtr(new DByteArrayInputStream(nullptr)));
}

TEST(DByteArrayInputStreamTest, DataIsTheArraysOwnStorage) {
  DbyteArrayPtr array = arrayOf({7, 8});
  DByteArrayInputStreamPtr in = new DByteArrayInputStream(array);
  EXPECT_EQ(in->getData(), reinterpret_cast<uint8_t*>(array->data()));
  EXPECT_EQ(in->getDataLength(), 2);
  in->releaseData();
  EXPECT_EQ(in->getData(), reinterpret_cast<uint8_t*>(array->data()));
  EXPECT_EQ(in->getName()->length(), 0);
}

TEST(DByteArrayInputStreamTest, CloseDropsTheArray) {
  DbyteArrayPtr array = arrayOf({1, 2});
  DByteArrayInputStreamPtr in = new DByteArrayInputStream(array);
  EXPECT_EQ(array->refCount(), 2);
  in->read();
  in->close();
  EXPECT_EQ(array->refCount(), 1);
  EXPECT_EQ(in->available(), 0);
  EXPECT_EQ(in->getPosition(), 0);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->read(new DbyteArray(2), 0, 2), -1);
  EXPECT_EQ(in->getData(), nullptr);
  EXPECT_EQ(in->getDataLength(), 0);
  in->reset();
  EXPECT_EQ(in->read(), -1);
}
