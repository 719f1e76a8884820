#pragma once
// Whole pages of memory that can be shown at more than one address: the
// backing of the device's physical memory (frame buffer, controller registers).

#include <cstddef>
#include <cstdint>

namespace wce {

inline constexpr std::size_t kHostPageSize = 4096;

class SharedPages {
public:
  // At least byteCount bytes, rounded up to whole pages, zero-filled, at an
  // address that is a multiple of alignment (a power of two, at least a page).
  explicit SharedPages(std::size_t byteCount, std::size_t alignment = kHostPageSize);
  ~SharedPages();
  SharedPages(const SharedPages&) = delete;
  SharedPages& operator=(const SharedPages&) = delete;

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

  // Shows the pages [offset, offset + byteCount) also at target, which must be
  // page-aligned and lie in memory the caller reserved; offset is page-aligned.
  // False when the range or the target is unusable.
  bool showAt(void* target, std::size_t offset, std::size_t byteCount) const;

private:
  std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace wce
