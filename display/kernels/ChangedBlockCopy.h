#pragma once

#include <cstddef>
#include <cstdint>

namespace tdlx {

// Bytes in one block of the changed-block copies (16 words of two pixels).
inline constexpr std::size_t kChangedBlockBytes = 64;

// Over blockCount blocks of 64 bytes, writes each 32-bit word of current into frame
// only where it differs from the same word of previous.
void copyChangedBlocks(std::uint16_t* frame, const std::uint16_t* current, const std::uint16_t* previous,
                       std::size_t blockCount);

// The same, and also writes each changed word into previous, so that current and
// previous end equal.
void copyChangedBlocksAndTrack(std::uint16_t* frame, const std::uint16_t* current, std::uint16_t* previous,
                               std::size_t blockCount);

}  // namespace tdlx
