#include "display/device/PhysicalMemory.h"

#include "display/device/DeviceTimer.h"
#include "display/device/SystemLibraries.h"
#include "platform/physical/VirtualMemory.h"

namespace tdlx {
namespace {

class KernelMode {
public:
  KernelMode() : previous_(CoreLibrary::instance().setKernelMode(true)) {}
  ~KernelMode() { CoreLibrary::instance().setKernelMode(previous_); }
  KernelMode(const KernelMode&) = delete;
  KernelMode& operator=(const KernelMode&) = delete;

private:
  bool previous_;
};

}  // namespace

void* mapPhysical(std::uint64_t address, std::uint32_t size, bool cached) {
  const std::uint32_t page = getPageSize();
  if (page == 0 || size == 0) return nullptr;
  const auto offset = static_cast<std::uint32_t>(address % page);
  if (size > UINT32_MAX - offset) return nullptr;
  KernelMode kernel;
  void* reserved = wce::VirtualAlloc(nullptr, size + offset, wce::MEM_RESERVE, wce::PAGE_NOACCESS);
  if (!reserved) return nullptr;
  const std::uint64_t aligned = address - offset;
  wce::DWORD protect = wce::PAGE_READWRITE | (cached ? 0 : wce::PAGE_NOCACHE);
  std::uint64_t source = aligned;
  if (aligned > kHighestDirectPhysical) {
    source = aligned / 256;
    protect |= wce::PAGE_PHYSICAL;
  }
  if (!wce::VirtualCopy(reserved, static_cast<std::uintptr_t>(source), size + offset, protect)) {
    wce::VirtualFree(reserved, 0, wce::MEM_RELEASE);
    return nullptr;
  }
  return static_cast<std::uint8_t*>(reserved) + offset;
}

void unmapPhysical(void* view) {
  if (!view) return;
  const std::uint32_t page = getPageSize();
  const auto address = reinterpret_cast<std::uintptr_t>(view);
  KernelMode kernel;
  wce::VirtualFree(reinterpret_cast<void*>(address - address % page), 0, wce::MEM_RELEASE);
}

}  // namespace tdlx
