// Compares the language layer with reference vectors written by the Java
// platform (tests/vectors/GenerateVectors.java).
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "ExpectCode.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

using namespace qel::lang;

namespace {

struct Vector {
  std::string kind;
  std::vector<std::string> fields;
};

std::vector<Vector> loadVectors() {
  std::ifstream in(NV_TEST_DATA_DIR "/java_vectors.txt");
  std::vector<Vector> vectors;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    Vector v;
    words >> v.kind;
    for (std::string field; words >> field;) v.fields.push_back(field);
    vectors.push_back(std::move(v));
  }
  return vectors;
}

const std::vector<Vector>& vectors() {
  static const std::vector<Vector> all = loadVectors();
  return all;
}

std::u16string units(const std::string& hex) {
  std::u16string text;
  if (hex == "-") return text;
  for (size_t i = 0; i + 4 <= hex.size(); i += 4)
    text.push_back(static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16)));
  return text;
}

std::vector<uint8_t> bytes(const std::string& hex) {
  std::vector<uint8_t> data;
  if (hex == "-") return data;
  for (size_t i = 0; i + 2 <= hex.size(); i += 2)
    data.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return data;
}

std::vector<uint8_t> bytesOf(const DbyteArrayPtr& array) {
  const int8_t* data = array->data();
  return std::vector<uint8_t>(data, data + array->length());
}

DStringPtr text(const std::string& hex) { return new DString(units(hex)); }

template <class Check>
int forEach(const char* kind, Check&& check) {
  int count = 0;
  for (const Vector& v : vectors()) {
    if (v.kind != kind) continue;
    check(v.fields);
    ++count;
  }
  return count;
}

TEST(JavaVectorTest, HashCodeMatchesStringHashCode) {
  int n = forEach("hash", [](const auto& f) { EXPECT_EQ(text(f[0])->hashCode(), std::stoi(f[1])) << f[0]; });
  EXPECT_GT(n, 100);
}

TEST(JavaVectorTest, TrimMatchesStringTrim) {
  int n = forEach("trim", [](const auto& f) { EXPECT_EQ(text(f[0])->trim()->view(), units(f[1])) << f[0]; });
  EXPECT_GT(n, 100);
}

TEST(JavaVectorTest, ModifiedUtf8MatchesWriteUtfBothWays) {
  int n = forEach("utf", [](const auto& f) {
    DStringPtr s = text(f[0]);
    std::vector<uint8_t> expected = bytes(f[1]);
    EXPECT_EQ(bytesOf(s->getBytesUTF8()), expected) << f[0];
    EXPECT_EQ(DString::decodeUTF8(expected.data(), static_cast<int>(expected.size()))->view(), s->view()) << f[0];
  });
  EXPECT_GT(n, 100);
}

TEST(JavaVectorTest, DecodingAgreesWithReadUtf) {
  int valid = forEach("utfdec", [](const auto& f) {
    std::vector<uint8_t> b = bytes(f[0]);
    EXPECT_EQ(DString::decodeUTF8(b.data(), static_cast<int>(b.size()))->view(), units(f[1])) << f[0];
  });
  int malformed = forEach("utfbad", [](const auto& f) {
    std::vector<uint8_t> b = bytes(f[0]);
    EXPECT_THROWS_CODE(0x06000010u, DString::decodeUTF8(b.data(), static_cast<int>(b.size()))) << f[0];
  });
  EXPECT_GT(valid, 20);
  EXPECT_GT(malformed, 20);
}

TEST(JavaVectorTest, PercentEncodingMatchesEncodeUriComponent) {
  int n = forEach("url1", [](const auto& f) {
    DStringPtr s = text(f[0]);
    std::u16string expected = f[1] == "-" ? u"" : std::u16string(f[1].begin(), f[1].end());
    EXPECT_EQ(s->urlEncode(1)->view(), expected) << f[0];
    bool plain =
        s->view().find_first_of(u'\0') == std::u16string_view::npos &&
        std::none_of(s->view().begin(), s->view().end(), [](char16_t u) { return u >= 0xD800 && u <= 0xDFFF; });
    if (plain) {
      EXPECT_EQ(s->urlEncode(0)->view(), expected) << f[0];
    }
  });
  EXPECT_GT(n, 100);
}

TEST(JavaVectorTest, ParseIntMatchesIntegerParseInt) {
  int n = forEach("parse", [](const auto& f) {
    DStringPtr s = text(f[0]);
    int radix = std::stoi(f[1]);
    if (f[2] == "error") {
      EXPECT_THROWS_CODE(0x05400002u, DInteger::parseInt(s, radix)) << f[0] << " radix " << radix;
    } else {
      int32_t value = 0;
      EXPECT_NO_THROW(value = DInteger::parseInt(s, radix)) << f[0] << " radix " << radix;
      EXPECT_EQ(value, std::stoi(f[2])) << f[0] << " radix " << radix;
    }
  });
  EXPECT_GT(n, 500);
}

TEST(JavaVectorTest, NumberTextMatchesIntegerToString) {
  int n = forEach("int", [](const auto& f) {
    int32_t value = static_cast<int32_t>(std::stol(f[0]));
    EXPECT_EQ(DInteger::toString(value)->view(), units(f[1])) << value;
    EXPECT_EQ(DInteger::toHexString(value)->view(), units(f[2])) << value;
    EXPECT_EQ(DInteger::parseInt(DInteger::toString(value)), value);
  });
  EXPECT_GT(n, 100);
}

}  // namespace
