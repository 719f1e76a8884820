#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace nv::sound {

// Bounds-checked little- and big-endian reads over a byte block.
class ByteReader {
public:
  ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

  size_t size() const { return size_; }
  const uint8_t* at(size_t offset) const { return bytes_ + offset; }
  bool has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }

  uint8_t u8(size_t offset) const { return has(offset, 1) ? bytes_[offset] : 0; }
  uint16_t le16(size_t offset) const {
    return has(offset, 2) ? static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8) : 0;
  }
  uint32_t le32(size_t offset) const {
    return has(offset, 4) ? static_cast<uint32_t>(le16(offset)) | static_cast<uint32_t>(le16(offset + 2)) << 16 : 0;
  }
  uint16_t be16(size_t offset) const {
    return has(offset, 2) ? static_cast<uint16_t>(bytes_[offset] << 8 | bytes_[offset + 1]) : 0;
  }
  bool tagIs(size_t offset, const char* tag) const {
    return has(offset, 4) && std::memcmp(bytes_ + offset, tag, 4) == 0;
  }

private:
  const uint8_t* bytes_;
  size_t size_;
};

}  // namespace nv::sound
