#include "platform/registry/KeyName.h"

#include "platform/files/Text.h"

namespace wce {
namespace {

bool isPlain(char c, bool leading) {
  if (c == '.') return !leading;
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> encodeKeyName(std::u16string_view name) {
  const std::optional<std::string> utf8 = toUtf8(foldCase(name));
  if (!utf8) return std::nullopt;
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string encoded;
  for (std::size_t i = 0; i < utf8->size(); ++i) {
    const char c = (*utf8)[i];
    if (isPlain(c, i == 0)) {
      encoded += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      encoded += '%';
      encoded += digits[byte >> 4];
      encoded += digits[byte & 0x0F];
    }
  }
  return encoded;
}

std::u16string decodeKeyName(std::string_view encoded) {
  std::string bytes;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '%' && i + 2 < encoded.size() && hexValue(encoded[i + 1]) >= 0 && hexValue(encoded[i + 2]) >= 0) {
      bytes += static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2]));
      i += 2;
    } else {
      bytes += encoded[i];
    }
  }
  return fromUtf8(bytes);
}

}  // namespace wce
