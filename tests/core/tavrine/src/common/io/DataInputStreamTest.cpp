#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "StreamBytes.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

TEST(DDataInputStreamTest, ReadersOverFixedBytes) {
  EXPECT_EQ(dataStreamOf({0x12, 0x34, 0x56, 0x78})->readInt(), 0x12345678);
  EXPECT_EQ(dataStreamOf({0x12, 0x34, 0x56, 0x78})->readIntLE(), 0x78563412);
  EXPECT_EQ(dataStreamOf({0xFF, 0xFE})->readShort(), -2);
  EXPECT_EQ(dataStreamOf({0xFF, 0xFE})->readUnsignedShort(), 65534);
  EXPECT_EQ(dataStreamOf({0xFE, 0xFF})->readShortLE(), -2);
  EXPECT_EQ(dataStreamOf({0xFE, 0xFF})->readUnsignedShortLE(), 65534);
  EXPECT_EQ(dataStreamOf({0xFF, 0xFF, 0xFF, 0xFF})->readUnsignedIntLE(), 0xFFFFFFFFu);
  EXPECT_EQ(dataStreamOf({0x80})->readByte(), -128);
  EXPECT_EQ(dataStreamOf({0x80})->readUnsignedByte(), 128);
}

TEST(DDataInputStreamTest, ReadUTFCases) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::u16string text;
  };
  for (const Case& c : {Case{{0x00, 0x00}, u""},
                        Case{{0x00, 0x02, 0xC0, 0x80}, std::u16string(1, u'\0')},
                        Case{{0x00, 0x03, 0xE2, 0x82, 0xAC}, u"\u20AC"},
                        Case{{0x00, 0x06, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}, u"\U0001F600"},
                        Case{{0x00, 0x01, 0x41, 0x42}, u"A"}}) {
    DDataInputStreamPtr in = dataStreamOf(c.bytes);
    EXPECT_EQ(in->readUTF()->view(), c.text);
  }
  EXPECT_EQ(DDataInputStream::readUTF(dataStreamOf({0x00, 0x02, 0x41, 0x42}))->view(), u"AB");
}

// Every reader at the end of the data, and every kind of malformed text.
TEST(DDataInputStreamTest, EndOfDataAndMalformedText) {
  using Reader = std::function<void(DDataInputStream&)>;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    Reader read;
    uint32_t code;
    int64_t positionAfter;
  };
  const Reader readUTF = [](DDataInputStream& in) { in.readUTF(); };
  const Case cases[] = {
      {"readByte at the end", {}, [](DDataInputStream& in) { in.readByte(); }, ExceptionCode::EndOfFile, 0},
      {"readUnsignedByte at the end",
       {},
       [](DDataInputStream& in) { in.readUnsignedByte(); },
       ExceptionCode::EndOfFile,
       0},
      {"readShort of one byte", {1}, [](DDataInputStream& in) { in.readShort(); }, ExceptionCode::EndOfFile, 1},
      {"readUnsignedShort of one byte",
       {1},
       [](DDataInputStream& in) { in.readUnsignedShort(); },
       ExceptionCode::EndOfFile,
       1},
      {"readInt of three bytes", {1, 2, 3}, [](DDataInputStream& in) { in.readInt(); }, ExceptionCode::EndOfFile, 3},
      {"readShortLE of one byte", {1}, [](DDataInputStream& in) { in.readShortLE(); }, ExceptionCode::EndOfFile, 1},
      {"readUnsignedShortLE of one byte",
       {1},
       [](DDataInputStream& in) { in.readUnsignedShortLE(); },
       ExceptionCode::EndOfFile,
       1},
      {"readIntLE of three bytes",
       {1, 2, 3},
       [](DDataInputStream& in) { in.readIntLE(); },
       ExceptionCode::EndOfFile,
       3},
      {"readUnsignedIntLE of two bytes",
       {1, 2},
       [](DDataInputStream& in) { in.readUnsignedIntLE(); },
       ExceptionCode::EndOfFile,
       2},
      {"readFully past the end",
       {1, 2},
       [](DDataInputStream& in) { in.readFully(new DbyteArray(3)); },
       ExceptionCode::EndOfFile,
       2},
      {"readUTF without a count", {0x00}, readUTF, ExceptionCode::EndOfFile, 1},
      {"readUTF count past the data", {0x00, 0x03, 0x41, 0x42}, readUTF, ExceptionCode::EndOfFile, 4},
      {"readUTF lone continuation byte", {0x00, 0x01, 0x80}, readUTF, ExceptionCode::UTFDataFormat, 3},
      {"readUTF four-byte form", {0x00, 0x04, 0xF0, 0x9F, 0x98, 0x80}, readUTF, ExceptionCode::UTFDataFormat, 6},
      {"readUTF lead 0xFF", {0x00, 0x01, 0xFF}, readUTF, ExceptionCode::UTFDataFormat, 3},
      {"readUTF two-byte form cut short", {0x00, 0x01, 0xC3}, readUTF, ExceptionCode::UTFDataFormat, 3},
      {"readUTF three-byte form cut short", {0x00, 0x02, 0xE2, 0x82}, readUTF, ExceptionCode::UTFDataFormat, 4},
      {"readUTF second byte without 10 prefix", {0x00, 0x02, 0xC3, 0x41}, readUTF, ExceptionCode::UTFDataFormat, 4},
      {"readUTF third byte without 10 prefix",
       {0x00, 0x03, 0xE2, 0x82, 0xC0},
       readUTF,
       ExceptionCode::UTFDataFormat,
       5},
  };
  for (const Case& c : cases) {
    DDataInputStreamPtr in = dataStreamOf(c.bytes);
    EXPECT_EQ(thrownCode([&] { c.read(*in); }), c.code) << c.name;
    EXPECT_EQ(in->getPosition(), c.positionAfter) << c.name;
  }
}

TEST(DDataInputStreamTest, ReadFullyFillsOnlyItsRange) {
  DDataInputStreamPtr in = dataStreamOf({1, 2, 3, 4});
  DbyteArrayPtr b = arrayOf({9, 9, 9, 9, 9, 9});
  in->readFully(b, 2, 3);
  EXPECT_EQ(bytesOf(b), (std::vector<uint8_t>{9, 9, 1, 2, 3, 9}));
  in->readFully(b, 0, 0);
  EXPECT_EQ(in->read(), 4);
}

TEST(DDataInputStreamTest, ForwardsToTheWrappedStream) {
  DDataInputStreamPtr in = dataStreamOf({1, 2, 3, 4, 5});
  EXPECT_EQ(in->available(), 5);
  EXPECT_EQ(in->skip(2), 2);
  EXPECT_EQ(in->getPosition(), 2);
  EXPECT_EQ(in->read(), 3);
  in->reset();
  EXPECT_EQ(in->read(), 1);
  EXPECT_EQ(in->getName()->length(), 0);
  ASSERT_EQ(in->getDataLength(), 4);
  EXPECT_EQ(in->getData()[3], 5);
  in->close();
  EXPECT_EQ(in->read(), -1);
}

TEST(DDataInputStreamTest, NullWrappedStreamFailsEveryOperation) {
  DDataInputStreamPtr in = new DDataInputStream(nullptr);
  const std::vector<std::function<void()>> operations = {
      [&] { in->available(); },
      [&] { in->read(); },
      [&] { in->readInt(); },
      [&] { in->readUTF(); },
      [&] { in->skip(1); },
      [&] { in->close(); },
      [&] { in->reset(); },
      [&] { in->getName(); },
      [&] { in->getPosition(); },
      [&] { in->getData(); },
      [&] { in->read(new DbyteArray(1)); },
  };
  for (const auto& operation : operations) EXPECT_EQ(thrownCode(operation), ExceptionCode::NullPointer);
}
