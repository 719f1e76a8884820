#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// Texts in the bitmap font: drawing glyph rows, filling in parameters, and
// wrapping into lines of a number of cells with word breaking by syllables
// and justification. A null text draws nothing and has no lines.
struct BitmapText {
  // Glyphs at x + textCharWidth * i; -1 is never drawn. With clipLeft ==
  // clipRight a glyph touching the screen is drawn, else only one wholly
  // inside clipLeft..clipRight.
  static void drawGlyphs(const qel::lcdui::DGraphicsPtr& g, const qel::lang::DshortArrayPtr& glyphs, int32_t x,
                         int32_t y, int32_t clipLeft, int32_t clipRight);
  static void drawText(const qel::lcdui::DGraphicsPtr& g, const qel::lang::DshortArrayPtr& glyphs, int32_t x,
                       int32_t y);
  static void drawString(const qel::lcdui::DGraphicsPtr& g, const qel::lang::DStringPtr& text, int32_t x, int32_t y);
  // Lines firstLine .. firstLine + lineCount - 1 of the wrapped text.
  static void drawWrapped(const qel::lcdui::DGraphicsPtr& g, const qel::lang::DshortArrayPtr& glyphs, int32_t firstLine,
                          int32_t x, int32_t y, int32_t cellsPerLine, int32_t lineCount, int32_t lineHeight);

  // Text id with {n} filled from params: a DShort inserts that text, a
  // DbyteArray its glyphs, another object its toString; a place beyond
  // params disappears; "{{" before a place leaves one literal brace.
  static qel::lang::DshortArrayPtr formatText(int32_t id, const qel::lang::DObjectArrayPtr& params);

  static int32_t countLines(const qel::lang::DshortArrayPtr& glyphs, int32_t cellsPerLine);
  // One past the last glyph of the line from start whose last cell is last.
  static int32_t lineEnd(const qel::lang::DshortArrayPtr& glyphs, int32_t start, int32_t last, int32_t cellsPerLine);
  static int32_t breakWord(int32_t start, int32_t pos, int32_t cellsPerLine, const qel::lang::DshortArrayPtr& glyphs);
  // Where to break the word of wordLength glyphs at wordStart within room
  // cells; -1 none.
  static int32_t hyphenate(const qel::lang::DshortArrayPtr& glyphs, int32_t wordLength, int32_t room,
                           int32_t wordStart);
  // The line [start, end) spread over count + extra + 1 cells.
  static qel::lang::DshortArrayPtr justifyLine(int32_t start, int32_t end, int32_t hasBreak,
                                               const qel::lang::DshortArrayPtr& glyphs, int32_t count, int32_t extra);
  static bool isVowelGlyph(int32_t glyph);
  static int32_t countVowels(int32_t from, int32_t to, const qel::lang::DshortArrayPtr& glyphs);

  // The level file "m" positioned at the data of record n (from 1).
  // Records outside the level table are refused with the index exception,
  // a missing or short file with the I/O exception.
  static qel::io::DDataInputStreamPtr openLevelRecord(int32_t n);

private:
  static bool isSeparator(int32_t glyph);
  static bool drawsInWideFont(int32_t glyph, bool mixed);
};

}  // namespace nvx
