#include "tools/demodata/lib/Fonts.h"

#include <stdexcept>

namespace nv::demodata {

namespace {

const Rgba kGlyphInk = rgb(0xffffff);
const Rgba kGlyphShadow = rgb(0x202020);
constexpr int kSpacing = 1;

void drawShadowed(Image& img, const PixelFont& font, char32_t c, int x, int y) {
  font.draw(img, c, x + 1, y + 1, kGlyphShadow);
  font.draw(img, c, x, y, kGlyphInk);
}

}  // namespace

Image paintGlyphFont(const Alphabet& alphabet, const PixelFont& font, int cellWidth, int cellHeight, int perRow) {
  if (cellWidth < PixelFont::kWidth + 1 || cellHeight < font.height())
    throw std::runtime_error("glyph cell narrower than a glyph with its shadow or lower than a glyph");
  const int count = static_cast<int>(alphabet.size());
  Image img(perRow * cellWidth, (count + perRow - 1) / perRow * cellHeight);
  for (int i = 0; i < count; ++i) {
    const int cellX = (i % perRow) * cellWidth, cellY = (i / perRow) * cellHeight;
    const int x = cellX + (cellWidth - PixelFont::kWidth - 1) / 2;
    const char32_t c = alphabet.characters()[i];
    font.drawClipped(img, c, x + 1, cellY + 1, kGlyphShadow, cellX, cellY, cellWidth, cellHeight);
    font.draw(img, c, x, cellY, kGlyphInk);
  }
  return img;
}

ImageFontPage buildImageFontPage(const Alphabet& alphabet, const PixelFont& font, int scale) {
  std::vector<int> widths;
  int total = 0;
  for (char32_t c : alphabet.characters()) {
    widths.push_back(font.inkedWidth(c) + 1);  // one column for the shadow
    total += widths.back();
  }
  if (alphabet.size() > 255) throw std::runtime_error("an image-font page holds at most 255 glyphs");
  ImageFontPage page{Image(total, font.height() + 1), {}};
  BigEndianWriter table;
  table.u8(static_cast<int>(alphabet.size()));
  table.u8(kSpacing * scale);
  int x = 0;
  for (std::size_t i = 0; i < alphabet.size(); ++i) {
    const char32_t c = alphabet.characters()[i];
    if (c != U' ') drawShadowed(page.picture, font, c, x - font.inkedLeft(c), 0);
    table.utf(encodeUtf8(c));
    table.u8(widths[i] * scale);
    x += widths[i];
  }
  page.glyphTable = table.take();
  if (scale > 1) page.picture = page.picture.enlarged(scale);
  return page;
}

}  // namespace nv::demodata
