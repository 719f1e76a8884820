#include "platform/font/Font.h"

#include <ft2build.h>

#include "platform/font/FontError.h"
#include "platform/font/FontLocator.h"
#include "platform/font/FreeTypeLibrary.h"
#include "platform/font/LogFont.h"
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace wce {
namespace {

// The character height GDI picks for a logical height of 0.
constexpr int kDefaultCharHeight = 12;
// Larger requests are refused rather than turned into huge glyph bitmaps.
constexpr int kMaxHeight = 1024;

// 26.6 fixed point to whole pixels, rounding half up.
int roundPixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

struct VerticalExtent {
  FT_Long ascent;
  FT_Long descent;
};

// The face's Windows ascent and descent in font units, which GDI builds its cell from.
VerticalExtent windowsExtent(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    return {os2->usWinAscent, os2->usWinDescent};
  }
  return {face->ascender, -face->descender};
}

bool isBold(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0 || (os2 != nullptr && os2->usWeightClass >= FW_SEMIBOLD);
}

}  // namespace

void Font::FaceDeleter::operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }

Font::Font(std::shared_ptr<FreeTypeLibrary> library, const FontMatch& match, const LogFont& logFont)
    : face_(nullptr, FaceDeleter{std::move(library)}), underline_(logFont.underline) {
  if (std::abs(static_cast<long long>(logFont.height)) > kMaxHeight) {
    throw FontError("font height out of range: " + std::to_string(logFont.height));
  }
  FT_Face face = nullptr;
  if (FT_New_Face(face_.get_deleter().library->handle(), match.path.c_str(), match.index, &face) != 0) {
    throw FontError("cannot open font file \"" + match.path + "\"");
  }
  face_.reset(face);
  if (!FT_IS_SCALABLE(face)) {
    throw FontError("not a scalable font: \"" + match.path + "\"");
  }
  syntheticBold_ = logFont.weight >= FW_SEMIBOLD && !isBold(face);
  syntheticItalic_ = logFont.italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
  setSize(logFont.height);
  measure(logFont.height);
}

void Font::setSize(int logicalHeight) {
  FT_Face face = face_.get();
  FT_F26Dot6 charHeight = 0;
  if (logicalHeight < 0) {
    charHeight = static_cast<FT_F26Dot6>(-logicalHeight) * 64;
  } else if (logicalHeight > 0) {
    const VerticalExtent extent = windowsExtent(face);
    const long long cellUnits = std::max<long long>(1, extent.ascent + extent.descent);
    charHeight = static_cast<FT_F26Dot6>(
        (static_cast<long long>(logicalHeight) * face->units_per_EM * 64 + cellUnits / 2) / cellUnits);
  } else {
    charHeight = kDefaultCharHeight * 64;
  }
  if (FT_Set_Char_Size(face, 0, std::max<FT_F26Dot6>(charHeight, 64), 72, 72) != 0) {
    throw FontError("cannot size font \"" + std::string(face->family_name) + "\" to " + std::to_string(logicalHeight));
  }
}

void Font::measure(int logicalHeight) {
  FT_Face face = face_.get();
  const FT_Fixed scale = face->size->metrics.y_scale;
  const VerticalExtent extent = windowsExtent(face);
  metrics_.ascent = roundPixels(FT_MulFix(extent.ascent, scale));
  metrics_.descent = roundPixels(FT_MulFix(extent.descent, scale));
  if (logicalHeight > 0 && logicalHeight >= metrics_.ascent) {
    metrics_.descent = logicalHeight - metrics_.ascent;
  }
  metrics_.height = metrics_.ascent + metrics_.descent;

  const FT_Pos centreBelowBaseline = -FT_MulFix(face->underline_position, scale);
  underlineThickness_ = std::max(1, roundPixels(FT_MulFix(face->underline_thickness, scale)));
  underlineTop_ = metrics_.ascent + roundPixels(centreBelowBaseline - underlineThickness_ * 32);
  underlineTop_ = std::clamp(underlineTop_, 0, std::max(0, metrics_.height - underlineThickness_));
}

FT_GlyphSlotRec_* Font::loadGlyph(char32_t ch) {
  FT_Face face = face_.get();
  const FT_UInt index = FT_Get_Char_Index(face, ch);
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
    return nullptr;
  }
  FT_GlyphSlot slot = face->glyph;
  if (syntheticBold_) {
    FT_GlyphSlot_Embolden(slot);
  }
  if (syntheticItalic_) {
    FT_GlyphSlot_Oblique(slot);
  }
  return slot;
}

int Font::charWidth(char32_t ch) {
  FT_GlyphSlot slot = loadGlyph(ch);
  return slot == nullptr ? 0 : std::max(0, roundPixels(slot->advance.x));
}

GlyphMask Font::glyph(char32_t ch) {
  GlyphMask mask;
  FT_GlyphSlot slot = loadGlyph(ch);
  if (slot == nullptr || FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
    return mask;
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) {
    return mask;
  }
  mask.left = slot->bitmap_left;
  mask.top = metrics_.ascent - slot->bitmap_top;
  mask.width = static_cast<int>(bitmap.width);
  mask.height = static_cast<int>(bitmap.rows);
  mask.alpha.resize(static_cast<std::size_t>(mask.width) * mask.height);
  const int pitch = std::abs(bitmap.pitch);
  for (int row = 0; row < mask.height; ++row) {
    const int sourceRow = bitmap.pitch >= 0 ? row : mask.height - 1 - row;
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * pitch;
    std::copy_n(source, mask.width, mask.alpha.begin() + static_cast<std::ptrdiff_t>(row) * mask.width);
  }
  return mask;
}

GlyphMask Font::cell(char32_t ch) {
  GlyphMask cell;
  cell.width = charWidth(ch);
  cell.height = metrics_.height;
  cell.alpha.assign(static_cast<std::size_t>(cell.width) * cell.height, 0);
  const GlyphMask ink = glyph(ch);
  const int firstX = std::max(0, ink.left);
  const int lastX = std::min(cell.width, ink.left + ink.width);
  const int firstY = std::max(0, ink.top);
  const int lastY = std::min(cell.height, ink.top + ink.height);
  for (int y = firstY; y < lastY; ++y) {
    for (int x = firstX; x < lastX; ++x) {
      std::uint8_t& target = cell.alpha[static_cast<std::size_t>(y) * cell.width + x];
      target = std::max(target, ink.at(x - ink.left, y - ink.top));
    }
  }
  if (underline_) {
    drawUnderline(cell);
  }
  return cell;
}

void Font::drawUnderline(GlyphMask& cell) const {
  const int lastRow = std::min(cell.height, underlineTop_ + underlineThickness_);
  for (int y = underlineTop_; y < lastRow; ++y) {
    std::fill_n(cell.alpha.begin() + static_cast<std::ptrdiff_t>(y) * cell.width, cell.width, 0xFF);
  }
}

}  // namespace wce
