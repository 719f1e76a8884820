#pragma once
// Strict conversions between the message files' UTF-8 and UTF-16 text.

#include <optional>
#include <string>
#include <string_view>

namespace wce {

// An unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
// None for malformed, overlong or surrogate-encoding input.
std::optional<std::u16string> utf8ToUtf16(std::string_view bytes);

}  // namespace wce
