#pragma once

#include <cstdint>
#include <vector>

#include "lang/DObject.h"
#include "microedition/lcdui/DCharMask.ptr.h"

namespace qel::lcdui {

// The coverage of one character in its cell: width (the advance) by height
// (the font's height) bytes, top row first, 0 background, 255 full ink.
class DCharMask final : public qel::lang::DObject {
public:
  explicit DCharMask(int32_t character) : character_(character) {}

  // Replaces the pixels by width x height zero bytes.
  void setSize(int32_t width, int32_t height);

  int32_t character() const { return character_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  uint8_t* row(int32_t r) { return pixels_.data() + static_cast<size_t>(r) * width_; }
  const uint8_t* row(int32_t r) const { return pixels_.data() + static_cast<size_t>(r) * width_; }
  uint8_t* pixels() { return pixels_.data(); }
  const uint8_t* pixels() const { return pixels_.data(); }

private:
  int32_t character_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint8_t> pixels_;
};

}  // namespace qel::lcdui
