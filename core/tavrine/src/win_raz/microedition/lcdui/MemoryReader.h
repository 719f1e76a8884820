#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qel::lcdui {

// Hands out the bytes of an encoded image held in memory, front to back.
struct MemoryReader {
  const uint8_t* data = nullptr;
  size_t length = 0;
  size_t position = 0;

  size_t remaining() const { return length - position; }

  // Copies up to count bytes; the number copied.
  size_t read(uint8_t* target, size_t count) {
    const size_t n = std::min(count, remaining());
    if (n > 0) std::memcpy(target, data + position, n);
    position += n;
    return n;
  }
};

}  // namespace qel::lcdui
