#include "platform/screen/DeviceScreen.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/system/ActiveDevice.h"

namespace wce {
namespace {

int quarterTurns() { return displayOrientation() & 3; }

}  // namespace

DeviceScreen& DeviceScreen::instance() {
  static std::unique_ptr<DeviceScreen> screen;
  const DeviceProfile& profile = deviceProfile();
  const bool turned = (profile.orientation & 1) != 0;
  const int width = turned ? profile.screenHeight : profile.screenWidth;
  const int height = turned ? profile.screenWidth : profile.screenHeight;
  if (!screen || screen->nativeWidth_ != width || screen->nativeHeight_ != height ||
      screen->mediaQ_ != profile.mediaQ) {
    screen = std::make_unique<DeviceScreen>(width, height, profile.mediaQ);
  }
  return *screen;
}

namespace {

std::size_t pixelOffset(bool mediaQ) { return mediaQ ? DeviceScreen::kMediaQFrameOffset : DeviceScreen::kPaletteBytes; }

}  // namespace

DeviceScreen::DeviceScreen(int nativeWidth, int nativeHeight, bool mediaQ)
    : nativeWidth_(nativeWidth),
      nativeHeight_(nativeHeight),
      mediaQ_(mediaQ),
      memory_(pixelOffset(mediaQ) + static_cast<std::size_t>(nativeWidth) * static_cast<std::size_t>(nativeHeight) * 2,
              kMediaQWindowBytes),
      pixels_(reinterpret_cast<std::uint16_t*>(memory_.data() + pixelOffset(mediaQ))) {}

std::size_t DeviceScreen::pixelCount() const {
  return static_cast<std::size_t>(nativeWidth_) * static_cast<std::size_t>(nativeHeight_);
}

int DeviceScreen::width() const { return (quarterTurns() & 1) ? nativeHeight_ : nativeWidth_; }

int DeviceScreen::height() const { return (quarterTurns() & 1) ? nativeWidth_ : nativeHeight_; }

std::size_t DeviceScreen::nativeIndex(int x, int y) const {
  int nx = x;
  int ny = y;
  switch (quarterTurns()) {
    case 1: nx = height() - 1 - y, ny = x; break;
    case 2: nx = nativeWidth_ - 1 - x, ny = nativeHeight_ - 1 - y; break;
    case 3: nx = y, ny = width() - 1 - x; break;
    default: break;
  }
  return static_cast<std::size_t>(ny) * static_cast<std::size_t>(nativeWidth_) + static_cast<std::size_t>(nx);
}

ViewLayout DeviceScreen::viewLayout() { return layoutFor(quarterTurns()); }

ViewLayout DeviceScreen::layoutFor(int turns) const {
  auto* base = reinterpret_cast<std::uint8_t*>(pixels_);
  const int p = pitch();
  const int w = (turns & 1) ? nativeHeight_ : nativeWidth_;
  const int h = (turns & 1) ? nativeWidth_ : nativeHeight_;
  switch (turns) {
    case 1: return {base + (h - 1) * 2, p, -2, w, h};
    case 2: return {base + (w - 1) * 2 + (h - 1) * p, -2, -p, w, h};
    case 3: return {base + (w - 1) * p, -p, 2, w, h};
    default: return {base, 2, p, w, h};
  }
}

std::uint16_t DeviceScreen::viewPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
  return pixels_[nativeIndex(x, y)];
}

void DeviceScreen::setViewPixel(int x, int y, std::uint16_t colour) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  pixels_[nativeIndex(x, y)] = colour;
}

std::vector<std::uint16_t> DeviceScreen::readView() const {
  const ViewLayout layout = layoutFor(quarterTurns());
  const auto width = static_cast<std::size_t>(layout.width);
  std::vector<std::uint16_t> view(width * static_cast<std::size_t>(layout.height));
  for (int y = 0; y < layout.height; ++y) {
    const std::uint8_t* from = layout.origin + std::ptrdiff_t{y} * layout.yStride;
    std::uint16_t* to = view.data() + static_cast<std::size_t>(y) * width;
    if (layout.xStride == 2) {
      std::memcpy(to, from, width * 2);
      continue;
    }
    for (std::size_t x = 0; x < width; ++x, from += layout.xStride) std::memcpy(to + x, from, 2);
  }
  return view;
}

void DeviceScreen::fill(std::uint16_t colour) { std::fill(pixels_, pixels_ + pixelCount(), colour); }

}  // namespace wce
