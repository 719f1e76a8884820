// The default operations of DInputStream, over a stream that only supplies
// the required ones.
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "StreamBytes.h"
#include "io/DInputStream.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

// Serves bytes one at a time; a block read delivers at most chunk bytes, and
// available() counts from a claimed length that may exceed the bytes.
class ByteSource final : public DInputStream {
public:
  ByteSource(std::vector<uint8_t> bytes, int32_t claimed, int32_t chunk)
      : bytes_(std::move(bytes)), claimed_(claimed), chunk_(chunk) {}

  using DInputStream::read;

  int32_t available() override {
    ++availableCalls;
    return claimed_ - static_cast<int32_t>(position_);
  }
  int32_t read() override { return position_ < bytes_.size() ? bytes_[position_++] : -1; }
  int32_t read(const DbyteArrayPtr& b, int32_t off, int32_t len) override {
    ++blockReads;
    return DInputStream::read(b, off, std::min(len, chunk_));
  }
  int64_t skip(int64_t) override { return 0; }
  int64_t getPosition() override { return static_cast<int64_t>(position_); }
  DStringPtr getName() override { return u""; }

  int availableCalls = 0;
  int blockReads = 0;

private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
  int32_t claimed_;
  int32_t chunk_;
};

using ByteSourcePtr = DPtr<ByteSource>;

}  // namespace

TEST(DefaultInputStreamTest, BlockReadsLoopOverSingleBytes) {
  ByteSourcePtr in = new ByteSource({1, 2, 3}, 3, 100);
  DbyteArrayPtr b = arrayOf({9, 9, 9, 9, 9});
  EXPECT_EQ(in->read(b, 1, 2), 2);
  EXPECT_EQ(in->read(b, 3, 2), 1);
  EXPECT_EQ(bytesOf(b), (std::vector<uint8_t>{9, 1, 2, 3, 9}));
  EXPECT_EQ(in->read(b, 0, 2), -1);
  EXPECT_EQ(in->read(b, 0, 0), 0);

  ByteSourcePtr raw = new ByteSource({4, 5}, 2, 100);
  uint8_t buf[3] = {};
  EXPECT_EQ(raw->readRaw(buf, 0), 0);
  EXPECT_EQ(raw->readRaw(buf, 3), 2);
  EXPECT_EQ(buf[1], 5);
  EXPECT_EQ(raw->readRaw(buf, 3), -1);
}

TEST(DefaultInputStreamTest, BlockReadArgumentsAreChecked) {
  ByteSourcePtr in = new ByteSource({1, 2, 3}, 3, 100);
  uint8_t buf[2] = {};
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, in->read(nullptr, 0, 1));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, in->read(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, in->readRaw(nullptr, 1));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, in->read(new DbyteArray(2), -1, 1));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, in->read(new DbyteArray(2), 0, -1));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, in->read(new DbyteArray(2), 1, 2));
  EXPECT_THROWS_CODE(ExceptionCode::IndexOutOfBounds, in->readRaw(buf, -1));
  EXPECT_EQ(in->getPosition(), 0);
}

TEST(DefaultInputStreamTest, GetDataReadsOnceAndCaches) {
  ByteSourcePtr in = new ByteSource({1, 2, 3}, 3, 100);
  uint8_t* data = in->getData();
  EXPECT_EQ(in->availableCalls, 1);
  EXPECT_EQ(in->blockReads, 1);
  EXPECT_EQ(data[2], 3);
  EXPECT_EQ(in->getData(), data);
  EXPECT_EQ(in->getDataLength(), 3);
  EXPECT_EQ(in->blockReads, 1);
  in->releaseData();
  EXPECT_EQ(in->getDataLength(), 0);
  EXPECT_EQ(in->availableCalls, 2);
}

TEST(DefaultInputStreamTest, GetDataCompletesShortBlockReads) {
  ByteSourcePtr in = new ByteSource({1, 2, 3, 4, 5}, 5, 2);
  uint8_t* data = in->getData();
  EXPECT_EQ(in->getDataLength(), 5);
  EXPECT_EQ(std::vector<uint8_t>(data, data + 5), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST(DefaultInputStreamTest, GetDataRefusesDataThatEndEarly) {
  ByteSourcePtr in = new ByteSource({1, 2}, 4, 100);
  EXPECT_THROWS_CODE(ExceptionCode::EndOfFile, in->getData());
  EXPECT_THROWS_CODE(ExceptionCode::EndOfFile, in->getDataLength());

  ByteSourcePtr empty = new ByteSource({}, 0, 100);
  EXPECT_EQ(empty->getDataLength(), 0);
  EXPECT_EQ(empty->blockReads, 1);  // read(cache) once, as for any size
}
