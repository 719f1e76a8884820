#pragma once

#include <cstddef>

namespace tdlx {

// Copies count bytes between buffers that do not overlap; returns dst.
void* fastCopy(void* dst, const void* src, std::size_t count);

}  // namespace tdlx
