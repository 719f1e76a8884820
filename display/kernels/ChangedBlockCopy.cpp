#include "display/kernels/ChangedBlockCopy.h"

#include <cstring>

namespace tdlx {
namespace {

constexpr std::size_t kWordsPerBlock = kChangedBlockBytes / 4;

std::uint32_t loadWord(const std::byte* p) {
  std::uint32_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

void storeWord(std::byte* p, std::uint32_t word) { std::memcpy(p, &word, sizeof word); }

template <bool Track>
void copyChanged(std::uint16_t* frame, const std::uint16_t* current, const std::uint16_t* previous,
                 std::uint16_t* tracked, std::size_t blockCount) {
  auto* out = reinterpret_cast<std::byte*>(frame);
  const auto* now = reinterpret_cast<const std::byte*>(current);
  const auto* before = reinterpret_cast<const std::byte*>(previous);
  auto* keep = reinterpret_cast<std::byte*>(tracked);
  for (std::size_t block = 0; block < blockCount; ++block) {
    const std::size_t base = block * kChangedBlockBytes;
    __builtin_prefetch(now + base + kChangedBlockBytes);
    __builtin_prefetch(before + base + kChangedBlockBytes);
    for (std::size_t word = 0; word < kWordsPerBlock; ++word) {
      const std::size_t offset = base + word * 4;
      const std::uint32_t value = loadWord(now + offset);
      if (value != loadWord(before + offset)) {
        storeWord(out + offset, value);
        if constexpr (Track) {
          storeWord(keep + offset, value);
        }
      }
    }
  }
}

}  // namespace

void copyChangedBlocks(std::uint16_t* frame, const std::uint16_t* current, const std::uint16_t* previous,
                       std::size_t blockCount) {
  copyChanged<false>(frame, current, previous, nullptr, blockCount);
}

void copyChangedBlocksAndTrack(std::uint16_t* frame, const std::uint16_t* current, std::uint16_t* previous,
                               std::size_t blockCount) {
  copyChanged<true>(frame, current, previous, previous, blockCount);
}

}  // namespace tdlx
