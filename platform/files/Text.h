#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wce {

// UTF-16 text to UTF-8; empty when the text holds an unpaired surrogate.
std::optional<std::string> toUtf8(std::u16string_view text);

// UTF-16 text to UTF-8 that always succeeds; an unpaired surrogate becomes
// the replacement.
std::string toUtf8Lossy(std::u16string_view text, char32_t replacement = U'?');

// UTF-8 to UTF-16; each malformed sequence becomes U+FFFD (a byte that can
// never start a sequence is one on its own: "\xC0\x80" gives two).
std::u16string fromUtf8(std::string_view text);

// UTF-8 to UTF-16; none for malformed, overlong or surrogate-encoding input.
std::optional<std::u16string> fromUtf8Strict(std::string_view text);

// Locale-independent simple lower-case mapping of every code point, for
// comparing names case-insensitively. Unpaired surrogates stay as they are.
std::u16string foldCase(std::u16string_view text);

}  // namespace wce
