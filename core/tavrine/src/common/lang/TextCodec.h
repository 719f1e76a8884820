#pragma once

#include <string>
#include <string_view>

// Conversions between framework text (UTF-16) and byte text.
namespace qel::lang {

// 8-bit text widened as Latin-1: byte 0xE9 becomes U+00E9.
std::u16string widenLatin1(std::string_view bytes);

// The multibyte encoding of the framework: UTF-8. Surrogate pairs become
// four-byte forms; an unpaired surrogate becomes '?'.
std::string toMultiByte(std::u16string_view text);

// UTF-8 to UTF-16; every malformed sequence becomes U+FFFD.
std::u16string fromMultiByte(std::string_view bytes);

}  // namespace qel::lang
