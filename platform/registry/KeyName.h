#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wce {

// Names of keys and values as folder entries: case-folded, then every byte
// of the UTF-8 form outside [a-z0-9_.-], and a leading '.', written as %XX.
// The result never holds '/', never starts with '.', and is empty only for
// the empty name. Nothing for a name that is not valid UTF-16.
std::optional<std::string> encodeKeyName(std::u16string_view name);

// The folded name an encoded entry stands for.
std::u16string decodeKeyName(std::string_view encoded);

}  // namespace wce
