#include "platform/physical/VirtualMemory.h"

#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <sys/mman.h>

#include "platform/devices/CoreServices.h"
#include "platform/physical/LcdControllerEmulation.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/SharedPages.h"

namespace wce {
namespace {

struct Reservation {
  std::size_t size;
  // Set while the reservation shows controller registers.
  std::shared_ptr<void> watch;
};

struct Reservations {
  std::mutex guard;
  std::map<std::uintptr_t, Reservation> entries;
};

Reservations& reservations() {
  static Reservations instance;
  return instance;
}

// The physical range [start, start + bytes) inside one region.
struct Region {
  std::uint64_t base;
  const SharedPages* pages;
};

bool within(const Region& region, std::uint64_t start, std::uint64_t bytes) {
  return start >= region.base && start - region.base + bytes <= region.pages->size();
}

// Answers the scan watch when the pages shown are the controller's registers.
bool showPhysical(void* destination, std::uint64_t start, std::size_t bytes, std::shared_ptr<void>& watch) {
  std::shared_ptr<LcdControllerEmulation> controller = LcdControllerEmulation::active();
  if (!controller) return false;
  const Region registers{controller->registerBase(), &controller->registers()};
  if (within(registers, start, bytes)) {
    if (!registers.pages->showAt(destination, static_cast<std::size_t>(start - registers.base), bytes)) {
      return false;
    }
    watch = LcdControllerEmulation::watch(controller);
    return true;
  }
  const SharedPages& frame = DeviceScreen::instance().memory();
  for (const Region& region : {Region{kFramePhysical, &frame}, Region{kFrameAliasPhysical, &frame}}) {
    if (within(region, start, bytes)) {
      return region.pages->showAt(destination, static_cast<std::size_t>(start - region.base), bytes);
    }
  }
  return false;
}

}  // namespace

void* VirtualAlloc(void* address, DWORD size, DWORD type, DWORD protect) {
  if (address || size == 0 || type != MEM_RESERVE || protect != PAGE_NOACCESS) return nullptr;
  const std::size_t length = wholeHostPages(size);
  void* reserved = mmap(nullptr, length, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (reserved == MAP_FAILED) return nullptr;
  std::lock_guard lock(reservations().guard);
  reservations().entries[reinterpret_cast<std::uintptr_t>(reserved)] = Reservation{length, nullptr};
  return reserved;
}

bool VirtualCopy(void* destination, std::uintptr_t source, DWORD size, DWORD protect) {
  if (!inKernelMode() || !(protect & PAGE_READWRITE) || size == 0) return false;
  // Without PAGE_PHYSICAL only the low 512 MB are reached directly.
  if (!(protect & PAGE_PHYSICAL) && source > kHighestDirectPhysical) return false;
  const std::uint64_t start = (protect & PAGE_PHYSICAL) ? std::uint64_t{source} * 256 : source;
  const auto target = reinterpret_cast<std::uintptr_t>(destination);
  // Views are made of whole host pages; every emulated region starts on a
  // multiple of 64 KiB, the largest host page.
  if (start % hostPageSize() != 0 || target % hostPageSize() != 0) return false;
  std::lock_guard lock(reservations().guard);
  auto& entries = reservations().entries;
  auto after = entries.upper_bound(target);
  if (after == entries.begin()) return false;
  auto& [base, reservation] = *std::prev(after);
  if (target + wholeHostPages(size) > base + reservation.size) return false;
  std::shared_ptr<void> watch;
  if (!showPhysical(destination, start, size, watch)) return false;
  if (watch) reservation.watch = std::move(watch);
  return true;
}

bool VirtualFree(void* address, DWORD size, DWORD type) {
  if (size != 0 || type != MEM_RELEASE) return false;
  Reservation released;
  {
    std::lock_guard lock(reservations().guard);
    auto found = reservations().entries.find(reinterpret_cast<std::uintptr_t>(address));
    if (found == reservations().entries.end()) return false;
    released = std::move(found->second);
    reservations().entries.erase(found);
  }
  return munmap(address, released.size) == 0;
}

}  // namespace wce
