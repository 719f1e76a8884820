#include "display/device/DisplayEscapeQueries.h"

#include <utility>

#include "platform/gdi/Gdi.h"

namespace tdlx {
namespace {

// Runs one escape on the screen DC after QUERYESCSUPPORT confirmed it.
bool runEscape(int escape, int outputSize, void* output) {
  wce::HDC dc = wce::GetDC(nullptr);
  if (!dc) return false;
  const auto asked = static_cast<std::uint32_t>(escape);
  const bool known = wce::ExtEscape(dc, wce::QUERYESCSUPPORT, sizeof asked, &asked, 0, nullptr) > 0;
  const bool done = known && wce::ExtEscape(dc, escape, 0, nullptr, outputSize, output) > 0;
  wce::ReleaseDC(nullptr, dc);
  return done;
}

}  // namespace

bool queryGxInfo(wce::GxDeviceInfo& info) {
  info = wce::GxDeviceInfo{};
  info.version = wce::GX_INFO_VERSION;
  if (!runEscape(wce::GETGXINFO, sizeof info, &info)) return false;
  if (info.format & wce::GX_FORMAT_LANDSCAPE) std::swap(info.width, info.height);
  return true;
}

bool queryRawFrameBuffer(wce::RawFrameBufferInfo& info) {
  info = wce::RawFrameBufferInfo{};
  if (!runEscape(wce::GETRAWFRAMEBUFFER, sizeof info, &info)) return false;
  return info.width != 0 && info.height != 0 && (info.format & 3) == wce::FORMAT_565;
}

}  // namespace tdlx
