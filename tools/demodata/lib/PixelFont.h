#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <string>

#include "tools/demodata/lib/Image.h"

namespace nv::demodata {

// The data set's own bitmap font: glyphs 5 pixels wide and of one height (at most 8 rows) read
// from a text source.
class PixelFont {
public:
  static constexpr int kWidth = 5;
  static constexpr int kMaxHeight = 8;
  using Glyph = std::array<std::array<bool, kWidth>, kMaxHeight>;

  static PixelFont load(const std::filesystem::path& file);

  int height() const { return height_; }

  bool has(char32_t c) const { return glyphs_.count(c) != 0; }
  const Glyph& glyph(char32_t c) const;
  // Columns from the first to the last inked one (the space counts as 3 wide).
  int inkedWidth(char32_t c) const;
  int inkedLeft(char32_t c) const;
  void draw(Image& image, char32_t c, int x, int y, Rgba ink) const;
  // The same, leaving out the pixels that fall outside the `clipW` x `clipH` rectangle at (clipX, clipY).
  void drawClipped(Image& image, char32_t c, int x, int y, Rgba ink, int clipX, int clipY, int clipW, int clipH) const;
  // Draws UTF-8 text at a fixed pitch of kWidth + 1; returns the width used.
  int drawText(Image& image, const std::string& utf8, int x, int y, Rgba ink) const;

private:
  std::map<char32_t, Glyph> glyphs_;
  int height_ = 0;
};

}  // namespace nv::demodata
