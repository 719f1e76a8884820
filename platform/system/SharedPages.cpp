#include "platform/system/SharedPages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace wce {

std::size_t hostPageSize() {
  static const auto size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

std::size_t wholeHostPages(std::size_t bytes) {
  const std::size_t page = hostPageSize();
  return (bytes + page - 1) / page * page;
}

SharedPages::SharedPages(std::size_t byteCount, std::size_t alignment)
    : size_(wholeHostPages(byteCount == 0 ? 1 : byteCount)) {
  if (alignment < hostPageSize()) alignment = hostPageSize();
  const std::size_t spare = alignment - hostPageSize();
  void* pages = mmap(nullptr, size_ + spare, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  auto* start = static_cast<std::uint8_t*>(pages);
  const std::size_t head = (alignment - reinterpret_cast<std::uintptr_t>(start) % alignment) % alignment;
  if (head > 0) munmap(start, head);
  if (spare - head > 0) munmap(start + head + size_, spare - head);
  data_ = start + head;
}

SharedPages::~SharedPages() { munmap(data_, size_); }

bool SharedPages::showAt(void* target, std::size_t offset, std::size_t byteCount) const {
  const std::size_t page = hostPageSize();
  const std::size_t length = wholeHostPages(byteCount);
  if (offset % page != 0 || reinterpret_cast<std::uintptr_t>(target) % page != 0 || offset > size_ ||
      length > size_ - offset || length == 0) {
    return false;
  }
  // A second view of shared pages: mremap with an old size of 0 keeps the original.
  void* shown = mremap(data_ + offset, 0, length, MREMAP_MAYMOVE | MREMAP_FIXED, target);
  return shown == target;
}

}  // namespace wce
