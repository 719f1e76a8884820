#pragma once
// ASCII-only case-insensitive comparison, for the names the device matches
// without regard to case (libraries, window classes, schemes, device and
// face names). Letters beyond ASCII compare exactly; see lang/CaseMapping.h
// for the framework's full mapping.

#include <cstddef>
#include <string>
#include <string_view>

namespace wce {

template <class Char>
constexpr Char asciiLower(Char c) {
  return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c + ('a' - 'A')) : c;
}

namespace detail {

// A narrow text's bytes are the code units 0 .. 255.
constexpr char32_t codeUnit(char c) { return static_cast<unsigned char>(c); }
constexpr char32_t codeUnit(char16_t c) { return c; }

template <class A, class B>
constexpr bool sameIgnoringAsciiCase(std::basic_string_view<A> a, std::basic_string_view<B> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(codeUnit(a[i])) != asciiLower(codeUnit(b[i]))) return false;
  }
  return true;
}

}  // namespace detail

constexpr bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return detail::sameIgnoringAsciiCase(a, b);
}
constexpr bool equalsIgnoringAsciiCase(std::u16string_view a, std::string_view b) {
  return detail::sameIgnoringAsciiCase(a, b);
}
constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return detail::sameIgnoringAsciiCase(a, b);
}

constexpr bool startsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}
constexpr bool startsWithIgnoringAsciiCase(std::u16string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

inline std::u16string asciiLowered(std::u16string_view text) {
  std::u16string lowered(text);
  for (char16_t& c : lowered) c = asciiLower(c);
  return lowered;
}

}  // namespace wce
