#pragma once

#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/Bytes.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/PixelFont.h"

namespace nv::demodata {

// The glyph font picture "abc_<id>": one cell per alphabet character, in alphabet order, each glyph
// at its cell's top with its shadow one pixel right and down, cut at the cell (so a descender in a
// cell as low as the font loses only its shadow).
Image paintGlyphFont(const Alphabet& alphabet, const PixelFont& font, int cellWidth, int cellHeight, int perRow);

// Page 0 of the image font "/game": the picture "game_0" and its glyph table "game_0".
struct ImageFontPage {
  Image picture;
  Bytes glyphTable;  // count u8, spacing s8, then per glyph: readUTF character, s8 width
};
// `scale` enlarges the glyphs, their widths and the spacing for a screen of that many pixels a 240 x 320 one.
ImageFontPage buildImageFontPage(const Alphabet& alphabet, const PixelFont& font, int scale = 1);

}  // namespace nv::demodata
