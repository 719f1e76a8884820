#pragma once

#include <cstdint>
#include <span>

namespace tdlx {

// out[x] = last[-x] for x in 0 .. count - 1; out must not overlap the source row.
using ReversedCopy = void (*)(std::uint16_t* out, const std::uint16_t* last, std::int32_t count);

struct ReversedCopySet {
  const char* name;
  bool available;  // this processor runs it
  ReversedCopy copy;
};

// Every reversed copy this build has, the portable one first and the widest last.
std::span<const ReversedCopySet> reversedCopySets();

// The widest of them this processor runs, chosen once.
ReversedCopy reversedCopyKernel();

}  // namespace tdlx
