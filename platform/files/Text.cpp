#include "platform/files/Text.h"

#include <locale.h>
#include <wctype.h>

namespace wce {
namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

// Decodes one code point starting at text[i] and advances i past it. None
// for a malformed, overlong or surrogate sequence; i then stands after its
// longest well-formed start (a byte that cannot begin a sequence alone).
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, c = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, c = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
    ++i;
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return c;
}

class FoldLocale {
public:
  FoldLocale() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {}
  ~FoldLocale() {
    if (locale_ != nullptr) freelocale(locale_);
  }
  FoldLocale(const FoldLocale&) = delete;
  FoldLocale& operator=(const FoldLocale&) = delete;

  char32_t lower(char32_t c) const {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    if (locale_ == nullptr) return c;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale_));
  }

private:
  locale_t locale_;
};

}  // namespace

namespace {

// Encodes text; a stray surrogate half becomes `replacement`, or fails the
// whole conversion when there is none.
std::optional<std::string> encodeUtf8(std::u16string_view text, std::optional<char32_t> replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      if (!replacement) return std::nullopt;
      appendUtf8(out, *replacement);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> toUtf8(std::u16string_view text) { return encodeUtf8(text, std::nullopt); }

std::string toUtf8Lossy(std::u16string_view text, char32_t replacement) { return *encodeUtf8(text, replacement); }

std::u16string fromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) appendUtf16(out, decodeUtf8(text, i).value_or(0xFFFD));
  return out;
}

std::optional<std::u16string> fromUtf8Strict(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::optional<char32_t> c = decodeUtf8(text, i);
    if (!c) return std::nullopt;
    appendUtf16(out, *c);
  }
  return out;
}

std::u16string foldCase(std::u16string_view text) {
  static const FoldLocale locale;
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      appendUtf16(out, locale.lower(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00)));
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      out += unit;
    } else {
      appendUtf16(out, locale.lower(unit));
    }
  }
  return out;
}

}  // namespace wce
