#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"

namespace nvx {

// The numbered texts of the current language, "lng_" + id + ".dat": a mode
// byte, the alphabet (readUTF), then entries 1, 2, ... each a signed 16-bit
// glyph count and the glyphs (1 byte unsigned, or 2 bytes signed in modes 1
// and 2). Texts are glyph arrays.
struct LanguageTexts {
  static constexpr int32_t uncachedText = 1;
  static constexpr int32_t vowelsText = 264;
  static constexpr int32_t noBreakText = 265;
  static constexpr int32_t noSpaceWrapText = 267;
  static constexpr int32_t lastSettingText = 274;
  static constexpr int32_t bestResultsExtraText = 275;

  // Reads every entry of the current language into the text cache and sets
  // the alphabet and settings. A missing file changes nothing; damage (an
  // early end, a negative count) ends the reading there, keeping what was read.
  static void loadLanguage();
  // The entry's glyphs (cached entries shared); a new empty array for a
  // negative id, and for an id the file lacks or cannot give.
  static qel::lang::DshortArrayPtr getText(int32_t id);
  static qel::lang::DStringPtr getTextString(int32_t id);
  // A glyph outside the alphabet throws the string index exception.
  static qel::lang::DStringPtr glyphsToString(const qel::lang::DshortArrayPtr& glyphs);
  static qel::lang::DStringPtr byteGlyphsToString(const qel::lang::DbyteArrayPtr& glyphs);
  // -1 for a character the alphabet lacks.
  static qel::lang::DshortArrayPtr stringToGlyphs(const qel::lang::DStringPtr& text);
  // Null when the resource is missing.
  static qel::io::DDataInputStreamPtr openTextStream(const qel::lang::DStringPtr& name);

private:
  static qel::lang::DStringPtr languageFileName();
  static void readLanguage(qel::io::DDataInputStream& in);
  static bool wideGlyphs();
  static qel::lang::DshortArrayPtr readGlyphs(qel::io::DDataInputStream& in, int32_t count);
  static void skipGlyphs(qel::io::DDataInputStream& in, int32_t count);
  static int32_t readCount(qel::io::DDataInputStream& in);
  static void applySetting(int32_t id, const qel::lang::DshortArrayPtr& glyphs);
  static qel::lang::DshortArrayPtr readEntry(int32_t id);
  static void setGlyphsPerRow();
  static char16_t alphabetChar(int32_t glyph);
};

}  // namespace nvx
