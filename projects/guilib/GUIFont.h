#pragma once

#include <cstdint>
#include <string>

#include "gamelib/ImageFont.ptr.h"
#include "guilib/GUIFont.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DFont.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace guilib {

// One interface over a system font (drawn in a fixed colour or the
// graphics' own) and a bitmap font of the game library.
//
//   GUIFontPtr red = new GUIFont(DFont::getDefaultFont(), 0xFF0000);
//   red->drawString(g, u"Hello", 4, 4, 0);  // g's colour and font unchanged
class GUIFont : public qel::lang::DObject {
public:
  static constexpr int32_t SystemFont = 0;
  static constexpr int32_t BitmapFont = 1;
  // Draw in the graphics' current colour.
  static constexpr int32_t GraphicsColour = -1;

  GUIFont(qel::lcdui::DFontPtr font, int32_t colour);
  explicit GUIFont(gamelib::ImageFontPtr font);
  ~GUIFont() override;
  std::string getClassName() const override { return "GUIFont"; }

  int32_t getKind() const { return kind_; }
  int32_t getColour() const { return colour_; }
  const qel::lcdui::DFontPtr& getSystemFont() const { return systemFont_; }
  const gamelib::ImageFontPtr& getImageFont() const { return imageFont_; }

  int32_t getHeight() const;
  int32_t stringWidth(const qel::lang::DStringPtr& text) const;
  // Leaves the graphics' colour and font as they were.
  void drawString(const qel::lcdui::DGraphicsPtr& g, const qel::lang::DStringPtr& text, int32_t x, int32_t y,
                  int32_t anchor) const;

private:
  int32_t kind_;
  gamelib::ImageFontPtr imageFont_;
  qel::lcdui::DFontPtr systemFont_;
  int32_t colour_ = GraphicsColour;
};

}  // namespace guilib
