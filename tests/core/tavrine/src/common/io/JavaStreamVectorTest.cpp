// Compares the streams with vectors written by java.io.DataOutputStream and
// java.io.DataInputStream (tests/vectors/GenerateStreamVectors.java).
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "StreamBytes.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

struct Line {
  std::string kind;
  std::vector<uint8_t> bytes;
  std::vector<std::string> fields;
  std::string text;
};

std::vector<uint8_t> parseHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  if (hex == "-") return bytes;
  for (size_t i = 0; i + 2 <= hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::vector<Line> lines(const std::string& kind) {
  std::ifstream in(NV_TEST_DATA_DIR "/stream_vectors.txt");
  std::vector<Line> found;
  for (std::string text; std::getline(in, text);) {
    std::istringstream words(text);
    Line line;
    std::string hex;
    if (!(words >> line.kind >> hex) || line.kind != kind) continue;
    line.bytes = parseHex(hex);
    for (std::string field; words >> field;) line.fields.push_back(field);
    line.text = text;
    found.push_back(std::move(line));
  }
  return found;
}

std::u16string units(const std::string& list) {
  std::u16string text;
  if (list == "-") return text;
  std::istringstream parts(list);
  for (std::string unit; std::getline(parts, unit, ',');)
    text.push_back(static_cast<char16_t>(std::stoul(unit, nullptr, 16)));
  return text;
}

std::pair<std::string, std::string> split(const std::string& call) {
  size_t colon = call.find(':');
  return {call.substr(0, colon), call.substr(colon + 1)};
}

}  // namespace

TEST(JavaStreamVectorTest, WritersMatchDataOutputStream) {
  std::vector<Line> cases = lines("write");
  ASSERT_GT(cases.size(), 100u);
  for (const Line& line : cases) {
    DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
    DDataOutputStreamPtr data = new DDataOutputStream(bytes);
    for (const std::string& call : line.fields) {
      auto [writer, value] = split(call);
      int32_t v = static_cast<int32_t>(std::stol(value));
      if (writer == "writeByte")
        data->writeByte(v);
      else if (writer == "writeShort")
        data->writeShort(v);
      else
        data->writeInt(v);
    }
    EXPECT_EQ(bytesOf(bytes->toByteArray()), line.bytes) << line.text;
  }
}

TEST(JavaStreamVectorTest, ReadersMatchDataInputStream) {
  const std::map<std::string, std::function<int64_t(DDataInputStream&)>> readers = {
      {"readByte", [](DDataInputStream& in) { return in.readByte(); }},
      {"readUnsignedByte", [](DDataInputStream& in) { return in.readUnsignedByte(); }},
      {"readShort", [](DDataInputStream& in) { return in.readShort(); }},
      {"readUnsignedShort", [](DDataInputStream& in) { return in.readUnsignedShort(); }},
      {"readInt", [](DDataInputStream& in) { return in.readInt(); }},
      {"readShortLE", [](DDataInputStream& in) { return in.readShortLE(); }},
      {"readUnsignedShortLE", [](DDataInputStream& in) { return in.readUnsignedShortLE(); }},
      {"readIntLE", [](DDataInputStream& in) { return in.readIntLE(); }},
      {"readUnsignedIntLE", [](DDataInputStream& in) { return in.readUnsignedIntLE(); }},
  };
  std::vector<Line> cases = lines("read");
  ASSERT_GT(cases.size(), 100u);
  for (const Line& line : cases) {
    DDataInputStreamPtr in = dataStreamOf(line.bytes);
    for (const std::string& call : line.fields) {
      auto [reader, result] = split(call);
      auto& read = readers.at(reader);
      if (result == "eof") {
        EXPECT_THROWS_CODE(ExceptionCode::EndOfFile, read(*in)) << line.text;
      } else {
        EXPECT_EQ(read(*in), std::stoll(result)) << line.text;
      }
    }
  }
}

TEST(JavaStreamVectorTest, ReadUTFMatchesDataInputStream) {
  std::vector<Line> cases = lines("utf");
  ASSERT_GT(cases.size(), 300u);
  for (const Line& line : cases) {
    const std::string& expected = line.fields.at(0);
    DDataInputStreamPtr in = dataStreamOf(line.bytes);
    if (expected == "eof") {
      EXPECT_THROWS_CODE(ExceptionCode::EndOfFile, in->readUTF()) << line.text;
    } else if (expected == "bad") {
      EXPECT_THROWS_CODE(ExceptionCode::UTFDataFormat, in->readUTF()) << line.text;
    } else {
      EXPECT_EQ(in->readUTF()->view(), units(expected)) << line.text;
      EXPECT_EQ(in->getPosition(), 2 + (line.bytes[0] << 8 | line.bytes[1])) << line.text;
    }
  }
}
