#pragma once

#include <memory>

#include "platform/font/GlyphMask.h"
#include "platform/font/TextMetrics.h"

struct FT_FaceRec_;
struct FT_GlyphSlotRec_;

namespace wce {

class FreeTypeLibrary;
struct FontMatch;
struct LogFont;

// One face at one size and style, anti-aliased; what GDI gives for a font
// selected into a DC: its metrics, per-character advances and the pixels
// ExtTextOutW would draw. Characters the face lacks render its default glyph.
class Font {
public:
  // Throws FontError when the file cannot be opened or sized.
  Font(std::shared_ptr<FreeTypeLibrary> library, const FontMatch& match, const LogFont& logFont);

  // GetTextMetricsW.
  const TextMetrics& metrics() const { return metrics_; }

  // GetCharWidth32 for one character: its advance in whole pixels.
  int charWidth(char32_t ch);

  // The glyph's own coverage with its placement in the character cell; empty
  // for characters without ink (space). The underline is not part of it.
  GlyphMask glyph(char32_t ch);

  // The character cell as ExtTextOutW draws it at (0, 0) with TA_TOP | TA_LEFT,
  // white on black: charWidth(ch) x metrics().height coverage bytes, the glyph
  // clipped to the cell, the underline included.
  GlyphMask cell(char32_t ch);

private:
  struct FaceDeleter {
    std::shared_ptr<FreeTypeLibrary> library;
    void operator()(FT_FaceRec_* face) const;
  };

  void setSize(int logicalHeight);
  void measure(int logicalHeight);
  FT_GlyphSlotRec_* loadGlyph(char32_t ch);
  void drawUnderline(GlyphMask& cell) const;

  std::unique_ptr<FT_FaceRec_, FaceDeleter> face_;
  bool syntheticBold_ = false;
  bool syntheticItalic_ = false;
  bool underline_ = false;
  TextMetrics metrics_;
  int underlineTop_ = 0;
  int underlineThickness_ = 0;
};

}  // namespace wce
