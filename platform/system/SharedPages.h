#pragma once
// Whole pages of memory that can be shown at more than one address: the
// backing of the device's physical memory (frame buffer, controller registers).

#include <cstddef>
#include <cstdint>

namespace wce {

// The host's page size, asked of the system once: 4 KiB on most machines,
// 16 KiB or 64 KiB under some ARM kernels. Views of pages are made in these
// units, whatever page size the emulated device reports.
std::size_t hostPageSize();
// bytes rounded up to whole host pages.
std::size_t wholeHostPages(std::size_t bytes);

class SharedPages {
public:
  // At least byteCount bytes, rounded up to whole host pages, zero-filled, at
  // an address that is a multiple of alignment (a power of two; a host page
  // when smaller).
  explicit SharedPages(std::size_t byteCount, std::size_t alignment = hostPageSize());
  ~SharedPages();
  SharedPages(const SharedPages&) = delete;
  SharedPages& operator=(const SharedPages&) = delete;

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

  // Shows the pages [offset, offset + byteCount) also at target, which must be
  // host-page-aligned and lie in memory the caller reserved; offset is a
  // multiple of the host page.
  // False when the range or the target is unusable.
  bool showAt(void* target, std::size_t offset, std::size_t byteCount) const;

private:
  std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace wce
