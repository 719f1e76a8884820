#include "platform/gapi/GxDma.h"

#include <algorithm>
#include <cstring>

#include "platform/gapi/GapiOptions.h"
#include "platform/gapi/GapiState.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ModuleTable.h"

namespace wce {

DmaState& dmaState() {
  static DmaState instance;
  return instance;
}

namespace {

struct Area {
  int left;
  int top;
  int right;
  int bottom;
};

Area clipped(const DeviceScreen& screen, int left, int top, int width, int height) {
  return {std::max(left, 0),
          std::max(top, 0),
          std::min(left + std::max(width, 0), screen.nativeWidth()),
          std::min(top + std::max(height, 0), screen.nativeHeight())};
}

bool startTransfer() {
  if (!IsDMAReady()) return false;
  ++dmaState().transfers;
  dmaState().busyPolls = gapiOptions().dmaBusyPolls;
  return true;
}

}  // namespace

bool IsDMAReady() {
  DmaState& s = dmaState();
  if (s.transfers == 0 || s.busyPolls == 0) return true;
  if (s.busyPolls > 0) --s.busyPolls;
  return false;
}

bool DmaDRAMtoVRAM(const void* dram, std::int32_t pitch, std::int32_t left, std::int32_t top, std::int32_t width,
                   std::int32_t height) {
  if (!dram || !startTransfer()) return false;
  DeviceScreen& screen = DeviceScreen::instance();
  const Area area = clipped(screen, left, top, width, height);
  auto* panel = reinterpret_cast<std::uint8_t*>(screen.pixels());
  const auto* source = static_cast<const std::uint8_t*>(dram);
  if (source == panel || area.right <= area.left) return true;
  for (int y = area.top; y < area.bottom; ++y) {
    std::memmove(panel + std::ptrdiff_t{y} * screen.pitch() + area.left * 2,
                 source + std::ptrdiff_t{y} * pitch + area.left * 2,
                 static_cast<std::size_t>(area.right - area.left) * 2);
  }
  return true;
}

bool DmaVRAMtoDRAM(void* dram, std::int32_t pitch, std::int32_t left, std::int32_t top, std::int32_t width,
                   std::int32_t height) {
  if (!dram || !startTransfer()) return false;
  DeviceScreen& screen = DeviceScreen::instance();
  const Area area = clipped(screen, left, top, width, height);
  const auto* panel = reinterpret_cast<const std::uint8_t*>(screen.pixels());
  auto* target = static_cast<std::uint8_t*>(dram);
  if (target == panel || area.right <= area.left) return true;
  for (int y = area.top; y < area.bottom; ++y) {
    std::memmove(target + std::ptrdiff_t{y} * pitch + area.left * 2,
                 panel + std::ptrdiff_t{y} * screen.pitch() + area.left * 2,
                 static_cast<std::size_t>(area.right - area.left) * 2);
  }
  return true;
}

void registerGxDmaEntries() {
  constexpr std::u16string_view library = u"gxdma.dll";
  registerModuleEntry(library, u"IsDMAReady", &IsDMAReady);
  registerModuleEntry(library, u"DmaDRAMtoVRAM", &DmaDRAMtoVRAM);
  registerModuleEntry(library, u"DmaVRAMtoDRAM", &DmaVRAMtoDRAM);
}

}  // namespace wce
