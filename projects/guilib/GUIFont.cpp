#include "guilib/GUIFont.h"

#include <utility>

#include "gamelib/ImageFont.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

namespace guilib {

GUIFont::GUIFont(qel::lcdui::DFontPtr font, int32_t colour)
    : kind_(SystemFont), systemFont_(std::move(font)), colour_(colour) {}

GUIFont::GUIFont(gamelib::ImageFontPtr font) : kind_(BitmapFont), imageFont_(std::move(font)) {}

GUIFont::~GUIFont() = default;

int32_t GUIFont::getHeight() const {
  if (kind_ == SystemFont && systemFont_) return systemFont_->getHeight();
  if (kind_ == BitmapFont && imageFont_) return imageFont_->getHeight();
  return 0;
}

int32_t GUIFont::stringWidth(const qel::lang::DStringPtr& text) const {
  if (kind_ == SystemFont && systemFont_) return systemFont_->stringWidth(text);
  if (kind_ == BitmapFont && imageFont_) return imageFont_->stringWidth(text);
  return 0;
}

void GUIFont::drawString(const qel::lcdui::DGraphicsPtr& g, const qel::lang::DStringPtr& text, int32_t x, int32_t y,
                         int32_t anchor) const {
  if (kind_ == BitmapFont && imageFont_) {
    imageFont_->drawString(g, text, x, y, anchor);
    return;
  }
  if (kind_ != SystemFont || !systemFont_) return;
  const uint32_t savedColour = g->getColor();
  if (colour_ != GraphicsColour) g->setColor(static_cast<uint32_t>(colour_));
  qel::lcdui::DFontPtr savedFont = g->getFont();
  g->setFont(systemFont_);
  g->drawString(text, x, y, anchor);
  g->setFont(savedFont);
  g->setColor(savedColour);
}

}  // namespace guilib
