#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv::demodata {

// The 7z reader's name hash: leading "/" and "\" dropped, "\" read as "/", then
// h = h * 31 + (signed byte) over the name, wrapping at 32 bits.
std::uint32_t archiveNameHash(std::string_view name);

// A description of the first clash: two stored names with one hash, or a probed name that is not
// stored but has the hash of a stored one. Empty when there is none.
std::optional<std::string> findNameHashClash(const std::vector<std::string>& stored,
                                             const std::vector<std::string>& probed);

}  // namespace nv::demodata
