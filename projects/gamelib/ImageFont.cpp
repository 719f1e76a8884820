#include "gamelib/ImageFont.h"

#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DbyteArray2d.h"
#include "lang/DintArray2d.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

namespace gamelib {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::lang::DbyteArray;
using qel::lang::DbyteArray2d;
using qel::lang::DExceptionBase;
using qel::lang::DintArray;
using qel::lang::DintArray2d;
using qel::lang::DObjectArray;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

ImageFont::ImageFont() = default;
ImageFont::~ImageFont() = default;

void ImageFont::load(const DStringPtr& name, bool noSpacing) {
  spacing_ = 0;
  pageCount_ = 0;
  pages_ = new DObjectArray(MaxPages);
  offsets_ = new DintArray2d(MaxPages);
  widths_ = new DbyteArray2d(MaxPages);
  charsets_ = new DObjectArray(MaxPages);
  for (int32_t p = 0; p < MaxPages; ++p) loadPage(DString::concat(DString::concat(name, u"_"), p), p, noSpacing);
}

void ImageFont::loadPage(const DStringPtr& pageName, int32_t page, bool noSpacing) {
  DImagePtr picture = GameLib::loadImage(pageName);
  if (!picture) return;
  pages_->at(page) = picture;
  std::u16string chars;
  try {
    DDataInputStreamPtr in = new DDataInputStream(GameLib::getResourceAsStream(pageName));
    int32_t count = in->readUnsignedByte();
    if (!noSpacing) spacing_ = in->readByte();
    offsets_->at(page) = new DintArray(count + 1);
    widths_->at(page) = new DbyteArray(count + 1);
    for (int32_t j = 0; j < count; ++j) {
      chars.append(in->readUTF()->view());
      int32_t w = in->readByte();
      widths_->at(page)->at(j) = static_cast<int8_t>(w);
      offsets_->at(page)->at(j + 1) = offsets_->at(page)->at(j) + w;
    }
    in->close();
    ++pageCount_;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
  charsets_->at(page) = new DString(std::move(chars));
}

DStringPtr ImageFont::charset(int32_t p) const {
  return charsets_ ? qel::lang::dynamicPtrCast<DString>(charsets_->at(p)) : nullptr;
}

int32_t ImageFont::getHeight() const {
  if (!pages_) qel::lang::throwNullPointer();
  return qel::lang::dynamicPtrCast<DImage>(pages_->at(0))->getHeight();
}

ImageFont::Glyph ImageFont::find(char16_t ch) const {
  for (int32_t p = 0; p < pageCount_; ++p) {
    DStringPtr chars = charset(p);
    if (!chars || !widths_->at(p)) continue;
    int32_t j = chars->indexOf(ch);
    if (j >= 0 && j < widths_->at(p)->length() - 1) return {p, j};
  }
  return {};
}

int32_t ImageFont::width(const Glyph& glyph) const { return widths_->at(glyph.page)->at(glyph.index); }

int32_t ImageFont::blankWidth() const { return widths_->at(0)->at(0) + spacing_; }

int32_t ImageFont::stringWidth(const DStringPtr& text) const {
  int32_t total = 0;
  for (char16_t ch : text->view()) {
    if (ch == u' ') {
      total += blankWidth();
      continue;
    }
    Glyph glyph = find(ch);
    if (glyph.page >= 0) total += width(glyph) + spacing_;
  }
  return total;
}

void ImageFont::drawString(DGraphicsPtr g, const DStringPtr& text, int32_t x, int32_t y, int32_t anchor) const {
  const int32_t height = getHeight();
  if (anchor & DGraphics::HCENTER) x -= stringWidth(text) >> 1;
  if (anchor & DGraphics::VCENTER) y -= height >> 1;
  if (anchor & DGraphics::RIGHT) x -= stringWidth(text);
  if (anchor & DGraphics::BASELINE) y -= height >> 1;
  if (anchor & DGraphics::BOTTOM) y -= height;
  if (y + height < 0 || y >= ScreenCanvas::screenHeight) return;

  // The clip reads in surface coordinates and is set in translated ones.
  const int32_t clipX = g->getClipX() - g->getTranslateX(), clipY = g->getClipY() - g->getTranslateY();
  const int32_t clipW = g->getClipWidth(), clipH = g->getClipHeight();
  for (char16_t ch : text->view()) {
    if (ch == u' ') {
      x += blankWidth();
      continue;
    }
    Glyph glyph = find(ch);
    if (glyph.page < 0) continue;
    DImagePtr page = qel::lang::dynamicPtrCast<DImage>(pages_->at(glyph.page));
    int32_t w = width(glyph);
    g->clipRect(x, y, w, page->getHeight());
    g->drawImage(page, x - offsets_->at(glyph.page)->at(glyph.index), y, DGraphics::TOP | DGraphics::LEFT, 0);
    g->setClip(clipX, clipY, clipW, clipH);
    x += w + spacing_;
  }
}

}  // namespace gamelib
