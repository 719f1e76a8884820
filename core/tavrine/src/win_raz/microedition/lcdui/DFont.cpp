#include "microedition/lcdui/DFont.h"

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "microedition/lcdui/DCharMask.h"
#include "platform/font/FontError.h"
#include "platform/font/FontService.h"
#include "util/DHashtable.h"

namespace qel::lcdui {

using qel::lang::DInteger;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::util::DHashtable;
using qel::util::DHashtablePtr;

namespace {

constexpr int kDefaultDpi = 96;

int defaultDpi() { return kDefaultDpi; }

DFont::DpiSource dpiSource = &defaultDpi;
bool pixelDoubling = false;
DHashtablePtr fontCache;
DFontPtr defaultFont;

const wce::FontService& fontService() {
  static const wce::FontService service;
  return service;
}

DStringPtr faceNameOf(int32_t face) {
  if (face == DFont::FACE_MONOSPACE || face == DFont::FACE_PROPORTIONAL) return u"Courier New";
  return u"Tahoma";
}

int32_t pointsFor(int32_t size) {
  switch (size) {
    case DFont::SIZE_SMALL: return 9;
    case DFont::SIZE_MEDIUM: return 11;
    case DFont::SIZE_LARGE: return 13;
    default: return 0;
  }
}

}  // namespace

DFont::DFont(const DStringPtr& faceName, int32_t style, int32_t size, int32_t sizeMode)
    : style_(style), glyphCache_(new DHashtable(16, 75)), faceName_(faceName) {
  wce::LogFont logFont;
  logFont.height = toPixels(size, sizeMode);
  logFont.weight = (style & STYLE_BOLD) ? wce::FW_BOLD : wce::FW_NORMAL;
  logFont.italic = (style & STYLE_ITALIC) != 0;
  logFont.underline = (style & STYLE_UNDERLINED) != 0;
  if (faceName) logFont.faceName = std::u16string(faceName->view());
  try {
    platformFont_ = std::make_unique<wce::Font>(fontService().createFont(logFont));
  } catch (const wce::FontError&) {
    return;
  }
  const wce::TextMetrics& metrics = platformFont_->metrics();
  height_ = metrics.height;
  ascent_ = metrics.ascent;
  descent_ = metrics.descent;
}

DFont::~DFont() = default;

int32_t DFont::toPixels(int32_t size, int32_t sizeMode) {
  if (sizeMode == SIZE_IN_PIXELS) return size;
  if (sizeMode != SIZE_IN_POINTS) return 0;
  const int32_t points = pointsFor(size);
  int32_t value = points == 0 ? 13 : wce::heightForPoints(points, dpiSource());
  if (pixelDoubling) value = value * 8 / 10;
  return value;
}

void DFont::setDpiSource(DpiSource source) { dpiSource = source ? source : &defaultDpi; }

void DFont::setPixelDoubling(bool on) { pixelDoubling = on; }

DFontPtr DFont::getFont(int32_t face, int32_t style, int32_t size, int32_t sizeMode) {
  const DStringPtr faceName = faceNameOf(face);
  const int32_t pixelSize = toPixels(size, sizeMode);
  const int32_t key = static_cast<int32_t>(static_cast<uint32_t>(style) | static_cast<uint32_t>(pixelSize) << 16);
  if (!fontCache) fontCache = new DHashtable(16, 75);
  DHashtablePtr sizes(dynamic_cast<DHashtable*>(fontCache->get(faceName)));
  if (!sizes) {
    sizes = new DHashtable(11, 75);
    fontCache->put(faceName, sizes);
  }
  const qel::lang::DObjectPtr keyObject(new DInteger(key));
  DFontPtr font(dynamic_cast<DFont*>(sizes->get(keyObject)));
  if (!font) {
    font = new DFont(faceName, style, size, sizeMode);
    sizes->put(keyObject, font);
  }
  font->face_ = face;
  return font;
}

DFontPtr DFont::getDefaultFont() {
  if (!defaultFont) defaultFont = getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_SMALL, SIZE_IN_POINTS);
  return defaultFont;
}

void DFont::releaseFonts() {
  fontCache.release();
  defaultFont.release();
}

int32_t DFont::charWidth(char16_t ch) {
  const DCharMaskPtr mask = getCharMask(ch);
  return mask ? mask->width() : 0;
}

int32_t DFont::stringWidth(const DStringPtr& text) {
  if (!text) qel::lang::throwNullPointer();
  int32_t width = 0;
  for (char16_t ch : text->view()) width += charWidth(ch);
  return width;
}

DCharMaskPtr DFont::getCharMask(char16_t ch) {
  if (!glyphCache_) return nullptr;
  if (DCharMask* cached = dynamic_cast<DCharMask*>(glyphCache_->get(static_cast<int32_t>(ch)))) return cached;
  return createCharMask(ch);
}

DCharMaskPtr DFont::createCharMask(char16_t ch) {
  DCharMaskPtr mask(new DCharMask(ch));
  if (platformFont_) {
    const wce::GlyphMask cell = platformFont_->cell(ch);
    mask->setSize(cell.width, cell.height);
    std::copy(cell.alpha.begin(), cell.alpha.end(), mask->pixels());
  } else {
    mask->setSize(0, height_);
  }
  glyphCache_->put(static_cast<int32_t>(ch), mask);
  return mask;
}

}  // namespace qel::lcdui
