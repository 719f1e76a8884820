#include <gtest/gtest.h>
#include <string>

#include "PeerBytes.h"
#include "lang/DbyteArray.h"
#include "microedition/io/DHttpInputStream.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

namespace {

using qel::io::DHttpInputStream;
using qel::io::DInputStreamPtr;

constexpr uint32_t IO = 0x06000000;

DInputStreamPtr chunkedStream(const std::string& wire, size_t run) {
  return new DHttpInputStream(new nvtest::PeerBytes(wire, run), nullptr, new qel::lang::DString(u"body"), true);
}

std::string chunk(const std::string& data, const std::string& extension = "") {
  static const char* digits = "0123456789abcdef";
  std::string size;
  for (size_t n = data.size(); n > 0 || size.empty(); n /= 16) size.insert(size.begin(), digits[n % 16]);
  return size + extension + "\r\n" + data + "\r\n";
}

// 64 KB in chunks on both sides of the decoded buffer's size, read a byte at
// a time and in blocks, whatever runs the peer's bytes come in: the content
// arrives whole and in order, and no more than the buffer is ever decoded
// ahead of the reader.
TEST(ChunkedBody, DecodesWholeThroughItsBoundedBuffer) {
  std::string content;
  for (int i = 0; i < 65536; ++i) content.push_back(static_cast<char>(i * 7 % 251));
  std::string wire;
  size_t at = 0;
  for (size_t size : {1, 4095, 4096, 4097, 30000}) {
    wire += chunk(content.substr(at, size));
    at += size;
  }
  wire += chunk(content.substr(at), ";ext=1") + "0\r\nX-Trailer: t\r\n\r\n";
  const int32_t limit = DHttpInputStream::DecodedBufferSize;
  for (size_t run : {size_t{1}, size_t{7}, size_t{1024}, wire.size()}) {
    DInputStreamPtr bytes = chunkedStream(wire, run);
    std::string got;
    for (int b; (b = bytes->read()) >= 0;) {
      got.push_back(static_cast<char>(b));
      ASSERT_LE(bytes->available(), limit) << "run " << run << " at " << got.size();
    }
    EXPECT_EQ(got, content) << "run " << run;

    DInputStreamPtr blocks = chunkedStream(wire, run);
    const qel::lang::DbyteArrayPtr block = new qel::lang::DbyteArray(10000);
    got.clear();
    for (int32_t n; (n = blocks->read(block, 0, block->length())) != -1;)
      got.append(reinterpret_cast<const char*>(block->data()), static_cast<size_t>(n));
    EXPECT_EQ(got, content) << "run " << run;
  }
}

// A body whose source ends before its last chunk hands out what it decoded
// and then throws; after the last chunk, a missing trailer end is no fault.
TEST(ChunkedBody, SourceEndingBeforeTheLastChunkThrows) {
  struct Case {
    const char* wire;
    const char* delivered;
    bool whole;
  } cases[] = {{"5", "", false},
               {"5\r\nhel", "hel", false},
               {"5\r\nhello", "hello", false},
               {"5\r\nhello\r\n", "hello", false},
               {"5\r\nhello\r\n1", "hello", false},
               {"5\r\nhello\r\n0\r\n", "hello", true},
               {"5\r\nhello\r\n0\r\n\r\n", "hello", true}};
  for (const Case& c : cases) {
    for (size_t run : {1, 64}) {
      DInputStreamPtr in = chunkedStream(c.wire, run);
      std::string got;
      auto drain = [&] {
        for (int b; (b = in->read()) >= 0;) got.push_back(static_cast<char>(b));
      };
      if (c.whole) {
        drain();
        EXPECT_EQ(in->read(), -1) << c.wire;
      } else {
        EXPECT_THROWS_CODE(IO, drain()) << c.wire;
      }
      EXPECT_EQ(got, c.delivered) << c.wire << " run " << run;
    }
  }
}

}  // namespace
