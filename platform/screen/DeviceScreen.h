#pragma once
// The device's screen: one RGB565 panel, top-down, every display path ends in
// it. The panel keeps its native shape (the profile's screen at orientation 0);
// the view is the screen as the system shows it at the current display
// orientation, each quarter turn swapping width and height.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/system/SharedPages.h"

namespace wce {

// How the view lies over the panel: the address of view pixel (0, 0) and the
// byte steps to the next pixel of a row and to the next row.
struct ViewLayout {
  std::uint8_t* origin;
  int xStride;
  int yStride;
  int width;
  int height;
};

class DeviceScreen {
public:
  // The panel of the active device profile; made again, black, when the
  // profile's screen size changed.
  static DeviceScreen& instance();

  // The panel's memory starts with room for an LCD controller's palette
  // (16 entries of 16 bits); the pixels follow it.
  static constexpr std::size_t kPaletteBytes = 32;
  // The memory starts at a multiple of kMediaQWindowBytes; on a MediaQ
  // device the panel lies kMediaQFrameOffset bytes into that window, as in
  // the chip's memory.
  static constexpr std::size_t kMediaQFrameOffset = 0x42000;
  static constexpr std::size_t kMediaQWindowBytes = 0x80000;

  DeviceScreen(int nativeWidth, int nativeHeight, bool mediaQ = false);

  int nativeWidth() const { return nativeWidth_; }
  int nativeHeight() const { return nativeHeight_; }
  int pitch() const { return nativeWidth_ * 2; }
  std::uint16_t* pixels() { return pixels_; }
  const std::uint16_t* pixels() const { return pixels_; }
  // The palette and the panel, for the emulated physical memory.
  const SharedPages& memory() const { return memory_; }

  int width() const;
  int height() const;
  ViewLayout viewLayout();
  // View coordinates; outside the view reads 0 and writes nothing.
  std::uint16_t viewPixel(int x, int y) const;
  void setViewPixel(int x, int y, std::uint16_t colour);
  // The view upright, row by row.
  std::vector<std::uint16_t> readView() const;
  void fill(std::uint16_t colour);

private:
  std::size_t nativeIndex(int x, int y) const;
  ViewLayout layoutFor(int quarterTurns) const;

  int nativeWidth_;
  int nativeHeight_;
  bool mediaQ_;
  std::size_t pixelCount() const;

  SharedPages memory_;
  std::uint16_t* pixels_;
};

}  // namespace wce
