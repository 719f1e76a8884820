#include "platform/imageon/CoreLink.h"

#include "platform/imageon/CoreLinkChip.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/ModuleTable.h"

namespace wce {

CoreLinkChip& chip() {
  static CoreLinkChip instance;
  return instance;
}

namespace {

// The panel shows every overlay that is on.
void showOverlays() {
  DeviceScreen& screen = DeviceScreen::instance();
  for (const auto& [id, overlay] : chip().overlays) {
    auto surface = chip().surfaces.find(overlay.surface);
    if (!overlay.on || surface == chip().surfaces.end()) continue;
    const CoreLinkChip::Surface& s = surface->second;
    for (std::uint32_t y = 0; y < s.height; ++y) {
      for (std::uint32_t x = 0; x < s.width; ++x) {
        const int px = overlay.x + static_cast<int>(x);
        const int py = overlay.y + static_cast<int>(y);
        if (px >= 0 && py >= 0 && px < screen.nativeWidth() && py < screen.nativeHeight()) {
          screen.pixels()[static_cast<std::size_t>(py) * screen.nativeWidth() + px] =
              s.pixels[static_cast<std::size_t>(y) * s.width + x];
        }
      }
    }
  }
}

CoreLinkChip::Overlay* overlayOf(std::uint32_t id) {
  auto found = chip().overlays.find(id);
  return found == chip().overlays.end() ? nullptr : &found->second;
}

}  // namespace

bool AtiCore_ProcessAttach() {
  ++chip().attached;
  return true;
}

bool AtiCore_ProcessDetach() {
  if (chip().attached == 0) return false;
  --chip().attached;
  return true;
}

bool AtiCore_AllocateSurface(std::uint32_t* surface, std::uint32_t width, std::uint32_t height) {
  if (!surface || chip().attached == 0 || width == 0 || height == 0 || width > 4096 || height > 4096) return false;
  *surface = chip().nextId++;
  chip().surfaces[*surface] =
      CoreLinkChip::Surface{width, height, std::vector<std::uint16_t>(std::size_t{width} * height)};
  return true;
}

bool AtiCore_DestroySurface(std::uint32_t surface) { return chip().surfaces.erase(surface) == 1; }

bool AtiCore_AllocOverlay(std::uint32_t* overlay) {
  if (!overlay || chip().attached == 0) return false;
  *overlay = chip().nextId++;
  chip().overlays[*overlay] = CoreLinkChip::Overlay{};
  return true;
}

bool AtiCore_SetupOverlay(std::uint32_t overlay, std::uint32_t surface) {
  CoreLinkChip::Overlay* o = overlayOf(overlay);
  if (!o || !chip().surfaces.count(surface)) return false;
  o->surface = surface;
  return true;
}

bool AtiCore_SetOverlayPos(std::uint32_t overlay, std::int32_t x, std::int32_t y) {
  CoreLinkChip::Overlay* o = overlayOf(overlay);
  if (!o) return false;
  o->x = x;
  o->y = y;
  showOverlays();
  return true;
}

bool AtiCore_SetOverlayOnOff(std::uint32_t overlay, bool on) {
  CoreLinkChip::Overlay* o = overlayOf(overlay);
  if (!o) return false;
  o->on = on;
  showOverlays();
  return true;
}

bool AtiCore_ReleaseOverlay(std::uint32_t overlay) { return chip().overlays.erase(overlay) == 1; }

bool AtiCore_WaitComplete(std::uint32_t) {
  const int busy = deviceProfile().imageonBusyWaits;
  if (busy < 0) return false;
  if (chip().busyLeft < 0) chip().busyLeft = busy;
  if (chip().busyLeft > 0) {
    --chip().busyLeft;
    return false;
  }
  chip().busyLeft = -1;
  return true;
}

bool AtiCore_SetupMemoryTransfer(std::uint32_t surface, void** pixels) {
  auto found = chip().surfaces.find(surface);
  if (!pixels || found == chip().surfaces.end() || chip().transferOpen) return false;
  chip().transferOpen = true;
  *pixels = found->second.pixels.data();
  return true;
}

bool AtiCore_TerminateMemoryTransfer() {
  if (!chip().transferOpen) return false;
  chip().transferOpen = false;
  showOverlays();
  return true;
}

void registerCoreLinkEntries() {
  constexpr std::u16string_view library = u"CoreLinkLib.dll";
  registerModuleEntry(library, u"AtiCore_ProcessAttach", &AtiCore_ProcessAttach);
  registerModuleEntry(library, u"AtiCore_ProcessDetach", &AtiCore_ProcessDetach);
  registerModuleEntry(library, u"AtiCore_AllocateSurface", &AtiCore_AllocateSurface);
  registerModuleEntry(library, u"AtiCore_DestroySurface", &AtiCore_DestroySurface);
  registerModuleEntry(library, u"AtiCore_AllocOverlay", &AtiCore_AllocOverlay);
  registerModuleEntry(library, u"AtiCore_SetupOverlay", &AtiCore_SetupOverlay);
  registerModuleEntry(library, u"AtiCore_SetOverlayPos", &AtiCore_SetOverlayPos);
  registerModuleEntry(library, u"AtiCore_SetOverlayOnOff", &AtiCore_SetOverlayOnOff);
  registerModuleEntry(library, u"AtiCore_ReleaseOverlay", &AtiCore_ReleaseOverlay);
  registerModuleEntry(library, u"AtiCore_WaitComplete", &AtiCore_WaitComplete);
  registerModuleEntry(library, u"AtiCore_SetupMemoryTransfer", &AtiCore_SetupMemoryTransfer);
  registerModuleEntry(library, u"AtiCore_TerminateMemoryTransfer", &AtiCore_TerminateMemoryTransfer);
}

}  // namespace wce
