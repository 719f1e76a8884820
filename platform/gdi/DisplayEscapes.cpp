#include "platform/gdi/DisplayEscapes.h"

#include <cstring>

#include "platform/gdi/GdiObjects.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"

namespace wce {
namespace {

bool supported(std::uint32_t escape) {
  const DeviceProfile& profile = deviceProfile();
  switch (escape) {
    case QUERYESCSUPPORT: return true;
    case GETRAWFRAMEBUFFER: return profile.rawFrameBufferEscape;
    case GETGXINFO: return profile.gxInfoEscape;
    default: return false;
  }
}

int rawFrameBuffer(int outputSize, void* output) {
  if (!output || outputSize < static_cast<int>(sizeof(RawFrameBufferInfo))) return -1;
  DeviceScreen& screen = DeviceScreen::instance();
  const ViewLayout layout = screen.viewLayout();
  RawFrameBufferInfo info;
  info.format = FORMAT_565;
  info.bitsPerPixel = 16;
  info.framePointer = layout.origin;
  info.xStride = layout.xStride;
  info.yStride = layout.yStride;
  info.width = layout.width;
  info.height = layout.height;
  std::memcpy(output, &info, sizeof info);
  return 1;
}

int gxInfo(int outputSize, void* output) {
  if (!output || outputSize < static_cast<int>(sizeof(GxDeviceInfo))) return -1;
  GxDeviceInfo info;
  std::memcpy(&info, output, sizeof info);
  if (info.version != GX_INFO_VERSION) return -1;
  DeviceScreen& screen = DeviceScreen::instance();
  const bool landscape = screen.nativeWidth() > screen.nativeHeight();
  info.frameBuffer = screen.pixels();
  info.stride = static_cast<std::uint32_t>(screen.pitch());
  info.width = static_cast<std::uint32_t>(landscape ? screen.nativeHeight() : screen.nativeWidth());
  info.height = static_cast<std::uint32_t>(landscape ? screen.nativeWidth() : screen.nativeHeight());
  info.bitsPerPixel = 16;
  info.format = GX_FORMAT_DIRECT | GX_FORMAT_DIRECT565 | (landscape ? GX_FORMAT_LANDSCAPE : 0);
  std::memcpy(output, &info, sizeof info);
  return 1;
}

}  // namespace

int ExtEscape(HDC dc, int escape, int inputSize, const void* input, int outputSize, void* output) {
  if (!GdiObjects::instance().isLive(dc)) return -1;
  const auto code = static_cast<std::uint32_t>(escape);
  if (!supported(code)) return 0;
  switch (code) {
    case QUERYESCSUPPORT: {
      if (!input || inputSize < 4) return -1;
      std::uint32_t asked;
      std::memcpy(&asked, input, 4);
      return supported(asked) ? 1 : 0;
    }
    case GETRAWFRAMEBUFFER: return rawFrameBuffer(outputSize, output);
    default: return gxInfo(outputSize, output);
  }
}

}  // namespace wce
