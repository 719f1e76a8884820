#pragma once

#include <cstdint>

#include "gamelib/ImageFont.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray2d.ptr.h"
#include "lang/DintArray2d.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace gamelib {

// Text drawn from pictures: up to 8 pages, each an image of glyphs side by
// side (name + "_" + page) with a glyph table of the same name.
//
//   ImageFontPtr font = new ImageFont();
//   font->load(u"/game", false);
//   font->drawString(g, u"Score", 120, 4, DGraphics::HCENTER);
class ImageFont : public qel::lang::DObject {
public:
  static constexpr int32_t MaxPages = 8;

  ImageFont();
  ~ImageFont() override;

  // A page without a picture is skipped; one whose table is missing or short
  // keeps what was read and is not counted.
  void load(const qel::lang::DStringPtr& name, bool noSpacing);
  // The height of page 0's picture; without one 0x05000080.
  int32_t getHeight() const;
  int32_t stringWidth(const qel::lang::DStringPtr& text) const;
  // Anchor bits 1, 2, 8, 64 and 32 move (x, y); a line wholly above the top
  // or at or below the canvas height is not drawn.
  void drawString(qel::lcdui::DGraphicsPtr g, const qel::lang::DStringPtr& text, int32_t x, int32_t y,
                  int32_t anchor) const;

  int32_t pageCount() const { return pageCount_; }
  int32_t spacing() const { return spacing_; }
  // The characters of page p; null for a page without a picture.
  qel::lang::DStringPtr charset(int32_t p) const;

private:
  struct Glyph {
    int32_t page = -1;
    int32_t index = 0;
  };
  void loadPage(const qel::lang::DStringPtr& name, int32_t page, bool noSpacing);
  Glyph find(char16_t ch) const;
  int32_t width(const Glyph& glyph) const;
  int32_t blankWidth() const;

  qel::lang::DObjectArrayPtr pages_;
  qel::lang::DintArray2dPtr offsets_;
  qel::lang::DbyteArray2dPtr widths_;
  qel::lang::DObjectArrayPtr charsets_;
  int32_t spacing_ = 0;
  int32_t pageCount_ = 0;
};

}  // namespace gamelib
