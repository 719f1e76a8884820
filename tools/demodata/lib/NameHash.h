#pragma once

#include <cstdint>
#include <string_view>

namespace nv::demodata {

// The 7z reader's name hash: leading "/" and "\" dropped, "\" read as "/", then
// h = h * 31 + (signed byte) over the name, wrapping at 32 bits.
std::uint32_t archiveNameHash(std::string_view name);

}  // namespace nv::demodata
