#pragma once

#include <cstdint>
#include <memory>

#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DCharMask.ptr.h"
#include "microedition/lcdui/DFont.ptr.h"
#include "util/DHashtable.ptr.h"

namespace wce {
class Font;
}

namespace qel::lcdui {

// A system font chosen by the profile's face, style and size constants.
// Each character is rendered once into a DCharMask, kept in the font; fonts
// are shared through a process-wide cache keyed by face name, style and
// pixel size.
class DFont final : public qel::lang::DObject {
public:
  static constexpr int32_t FACE_SYSTEM = 0;
  static constexpr int32_t FACE_MONOSPACE = 32;
  static constexpr int32_t FACE_PROPORTIONAL = 64;
  static constexpr int32_t STYLE_PLAIN = 0;
  static constexpr int32_t STYLE_BOLD = 1;
  static constexpr int32_t STYLE_ITALIC = 2;
  static constexpr int32_t STYLE_UNDERLINED = 4;
  static constexpr int32_t SIZE_MEDIUM = 0;
  static constexpr int32_t SIZE_SMALL = 8;
  static constexpr int32_t SIZE_LARGE = 16;
  // sizeMode: 0 size is a pixel height, 1 size is a profile size constant.
  static constexpr int32_t SIZE_IN_PIXELS = 0;
  static constexpr int32_t SIZE_IN_POINTS = 1;

  // Made through getFont; public for the cache and for tests.
  DFont(const qel::lang::DStringPtr& faceName, int32_t style, int32_t size, int32_t sizeMode);
  ~DFont() override;

  // The cached font of face 0 ("Tahoma"), 32 or 64 ("Courier New"); other
  // faces take face 0's name. The font's face becomes the one asked for.
  static DFontPtr getFont(int32_t face, int32_t style, int32_t size, int32_t sizeMode);
  // getFont(0, 0, 8, 1), made once.
  static DFontPtr getDefaultFont();
  // Drops the font cache and the default font (the host, at shutdown).
  static void releaseFonts();

  // The logical height asked for: mode 0 size itself; mode 1 the profile's
  // sizes 8, 0 and 16 as -(dpi x 9, 11, 13) / 72, any other size 13, then
  // x 8 / 10 under pixel doubling; other modes 0.
  static int32_t toPixels(int32_t size, int32_t sizeMode);

  // Where fonts learn the screen's LOGPIXELSY; by default 96.
  using DpiSource = int (*)();
  static void setDpiSource(DpiSource source);
  // The host's pixel-doubling (scale2x) flag.
  static void setPixelDoubling(bool on);

  int32_t getFace() const { return face_; }
  int32_t getStyle() const { return style_; }
  int32_t getHeight() const { return height_; }
  int32_t getAscent() const { return ascent_; }
  int32_t getDescent() const { return descent_; }
  const qel::lang::DStringPtr& getFaceName() const { return faceName_; }

  // The advance of ch: its mask's width, 0 without a glyph cache.
  int32_t charWidth(char16_t ch);
  // The sum of charWidth; a null string throws 0x05000080.
  int32_t stringWidth(const qel::lang::DStringPtr& text);
  // From the glyph cache, else rendered and cached; null without a cache.
  DCharMaskPtr getCharMask(char16_t ch);

private:
  DCharMaskPtr createCharMask(char16_t ch);

  int32_t style_;
  int32_t face_ = -1;
  int32_t height_ = 0;
  int32_t ascent_ = 0;
  int32_t descent_ = 0;
  qel::util::DHashtablePtr glyphCache_;
  qel::lang::DStringPtr faceName_;
  std::unique_ptr<wce::Font> platformFont_;
};

}  // namespace qel::lcdui
