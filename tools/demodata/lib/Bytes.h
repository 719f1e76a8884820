#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nv::demodata {

using Bytes = std::vector<std::uint8_t>;

// Appends big-endian numbers and modified-UTF-8 strings, the encodings of the game's data files.
class BigEndianWriter {
public:
  void u8(int value);
  void s16(int value);
  void s32(std::int32_t value);
  // A u16 byte count, then the text as modified UTF-8; `utf8` is ordinary UTF-8.
  void utf(std::string_view utf8);
  void raw(const Bytes& bytes);
  void raw(std::string_view text);

  const Bytes& bytes() const { return bytes_; }
  Bytes take() { return std::move(bytes_); }

private:
  Bytes bytes_;
};

// Converts UTF-8 to modified UTF-8 (U+0000 as C0 80, characters above U+FFFF as two 3-byte surrogates).
Bytes toModifiedUtf8(std::string_view utf8);

// Decodes UTF-8 into code points; throws std::runtime_error on malformed input.
std::u32string decodeUtf8(std::string_view utf8);
std::string encodeUtf8(char32_t codePoint);

}  // namespace nv::demodata
