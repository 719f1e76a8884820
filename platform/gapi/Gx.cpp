#include "platform/gapi/Gx.h"

#include <algorithm>
#include <cstring>

#include "platform/gapi/GapiOptions.h"
#include "platform/gapi/GapiState.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ModuleTable.h"
#include "platform/window/Windows.h"

namespace wce {

GxDisplay& gxDisplay() {
  static GxDisplay instance;
  return instance;
}

namespace {

std::ptrdiff_t originOffset(DeviceScreen& screen, const ViewLayout& layout) {
  return layout.origin - reinterpret_cast<std::uint8_t*>(screen.pixels());
}

void writeViewportRows() {
  GxDisplay& gx = gxDisplay();
  DeviceScreen& screen = DeviceScreen::instance();
  const ViewLayout layout = screen.viewLayout();
  const std::size_t panelBytes = static_cast<std::size_t>(screen.pitch()) * screen.nativeHeight();
  if (gx.dram.size() * 2 != panelBytes) return;
  const int top = static_cast<int>(std::min<std::uint32_t>(gx.viewportTop, layout.height));
  const int bottom =
      gx.viewportHeight == 0
          ? layout.height
          : static_cast<int>(std::min<std::uint64_t>(std::uint64_t{gx.viewportTop} + gx.viewportHeight, layout.height));
  const std::ptrdiff_t origin = originOffset(screen, layout);
  const auto* source = reinterpret_cast<const std::uint8_t*>(gx.dram.data());
  auto* target = reinterpret_cast<std::uint8_t*>(screen.pixels());
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < layout.width; ++x) {
      const std::ptrdiff_t at = origin + std::ptrdiff_t{x} * layout.xStride + std::ptrdiff_t{y} * layout.yStride;
      std::memcpy(target + at, source + at, 2);
    }
  }
}

}  // namespace

int GXOpenDisplay(HWND window, DWORD) {
  GxDisplay& gx = gxDisplay();
  if (gx.open || !IsWindow(window)) return 0;
  gx.open = true;
  gx.suspended = false;
  gx.viewportTop = 0;
  gx.viewportHeight = 0;
  gx.dram.clear();
  if (gapiOptions().dramBuffer) {
    DeviceScreen& screen = DeviceScreen::instance();
    const std::uint16_t* panel = screen.pixels();
    gx.dram.assign(panel, panel + static_cast<std::size_t>(screen.nativeWidth()) * screen.nativeHeight());
  }
  return 1;
}

int GXCloseDisplay() {
  GxDisplay& gx = gxDisplay();
  if (!gx.open) return 0;
  gx.open = false;
  gx.dram.clear();
  return 1;
}

GXDisplayProperties GXGetDisplayProperties() {
  const ViewLayout layout = DeviceScreen::instance().viewLayout();
  GXDisplayProperties properties;
  properties.cxWidth = static_cast<DWORD>(layout.width);
  properties.cyHeight = static_cast<DWORD>(layout.height);
  properties.cbxPitch = layout.xStride;
  properties.cbyPitch = layout.yStride;
  properties.cBPP = 16;
  properties.ffFormat = kfDirect | kfDirect565 | (layout.width > layout.height ? kfLandscape : 0);
  return properties;
}

void* GXBeginDraw() {
  GxDisplay& gx = gxDisplay();
  if (!gx.open || gx.suspended) return nullptr;
  DeviceScreen& screen = DeviceScreen::instance();
  const ViewLayout layout = screen.viewLayout();
  if (!gx.dram.empty()) return reinterpret_cast<std::uint8_t*>(gx.dram.data()) + originOffset(screen, layout);
  return layout.origin;
}

int GXEndDraw() {
  GxDisplay& gx = gxDisplay();
  if (!gx.open) return 0;
  if (!gx.dram.empty()) writeViewportRows();
  return 1;
}

int GXSuspend() {
  gxDisplay().suspended = true;
  return 1;
}

int GXResume() {
  gxDisplay().suspended = false;
  return 1;
}

int GXSetViewport(DWORD top, DWORD height, DWORD, DWORD) {
  GxDisplay& gx = gxDisplay();
  gx.viewportTop = top;
  gx.viewportHeight = height;
  return 1;
}

bool GXIsDisplayDRAMBuffer() { return gapiOptions().dramBuffer; }

int GXOpenInput() {
  gxDisplay().inputOpen = true;
  return 1;
}

int GXCloseInput() {
  gxDisplay().inputOpen = false;
  return 1;
}

void registerGxEntries() {
  constexpr std::u16string_view library = u"gx.dll";
  registerModuleEntry(library, u"GXOpenDisplay", &GXOpenDisplay);
  registerModuleEntry(library, u"GXCloseDisplay", &GXCloseDisplay);
  registerModuleEntry(library, u"GXGetDisplayProperties", &GXGetDisplayProperties);
  registerModuleEntry(library, u"GXBeginDraw", &GXBeginDraw);
  registerModuleEntry(library, u"GXEndDraw", &GXEndDraw);
  registerModuleEntry(library, u"GXSuspend", &GXSuspend);
  registerModuleEntry(library, u"GXResume", &GXResume);
  registerModuleEntry(library, u"GXSetViewport", &GXSetViewport);
  registerModuleEntry(library, u"GXIsDisplayDRAMBuffer", &GXIsDisplayDRAMBuffer);
  // The input entries are exported under their C++ names.
  registerModuleEntry(library, u"?GXOpenInput@@YAHXZ", &GXOpenInput);
  registerModuleEntry(library, u"?GXCloseInput@@YAHXZ", &GXCloseInput);
}

}  // namespace wce
