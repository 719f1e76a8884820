#include "tools/demodata/lib/Bytes.h"

#include <stdexcept>

namespace nv::demodata {

void BigEndianWriter::u8(int value) { bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF)); }

void BigEndianWriter::s16(int value) {
  u8(value >> 8);
  u8(value);
}

void BigEndianWriter::s32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) u8(static_cast<int>(bits >> shift));
}

void BigEndianWriter::utf(std::string_view utf8) {
  const Bytes encoded = toModifiedUtf8(utf8);
  if (encoded.size() > 0xFFFF) throw std::runtime_error("string longer than 65535 bytes");
  s16(static_cast<int>(encoded.size()));
  raw(encoded);
}

void BigEndianWriter::raw(const Bytes& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

void BigEndianWriter::raw(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07;
    } else {
      throw std::runtime_error("malformed UTF-8");
    }
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= utf8.size()) throw std::runtime_error("truncated UTF-8");
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) throw std::runtime_error("malformed UTF-8");
      cp = (cp << 6) | (next & 0x3F);
    }
    out.push_back(cp);
    i += 1 + extra;
  }
  return out;
}

std::string encodeUtf8(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

namespace {

void appendUnit(Bytes& out, char32_t unit) {
  if (unit != 0 && unit < 0x80) {
    out.push_back(static_cast<std::uint8_t>(unit));
  } else if (unit < 0x800) {
    out.push_back(static_cast<std::uint8_t>(0xC0 | (unit >> 6)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (unit & 0x3F)));
  } else {
    out.push_back(static_cast<std::uint8_t>(0xE0 | (unit >> 12)));
    out.push_back(static_cast<std::uint8_t>(0x80 | ((unit >> 6) & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (unit & 0x3F)));
  }
}

}  // namespace

Bytes toModifiedUtf8(std::string_view utf8) {
  Bytes out;
  for (char32_t cp : decodeUtf8(utf8)) {
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      appendUnit(out, 0xD800 + (v >> 10));
      appendUnit(out, 0xDC00 + (v & 0x3FF));
    } else {
      appendUnit(out, cp);
    }
  }
  return out;
}

}  // namespace nv::demodata
