#pragma once

#include <cstdint>
#include <memory>

#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"
#include "lang/DintArray.ptr.h"
#include "microedition/lcdui/DFont.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"
#include "microedition/lcdui/DPalette.ptr.h"
#include "microedition/lcdui/DVideoStream.ptr.h"
#include "microedition/raster/BlitRequest.h"
#include "microedition/raster/RasterPoint.h"

namespace qel::raster {
class RasterSurface;
}

namespace qel::lcdui {

// The profile-style drawing context on one surface: translation, colour,
// font, anchored images with sprite transforms, strings. The clip lives in
// the surface. Null images, palettes and fonts throw 0x05000080; whatever
// falls outside the clip is left out.
class DGraphics final : public qel::lang::DObject {
public:
  static constexpr int32_t HCENTER = 1;
  static constexpr int32_t VCENTER = 2;
  static constexpr int32_t LEFT = 4;
  static constexpr int32_t RIGHT = 8;
  static constexpr int32_t TOP = 16;
  static constexpr int32_t BOTTOM = 32;
  static constexpr int32_t BASELINE = 64;

  // Takes the surface (normally a view) and holds owner, the object whose
  // pixels the view shows, for as long as it lives. A null surface throws
  // 0x05000080. Starts with the default font, colour 0, no translation and
  // the whole surface as clip.
  DGraphics(std::unique_ptr<qel::raster::RasterSurface> surface, qel::lang::DObjectPtr owner);
  ~DGraphics() override;

  // The glyph of ch at (x, y), untranslated, in the current colour; the advance.
  int32_t drawChar(char16_t ch, int32_t x, int32_t y);
  // Alpha from maskImg, key 0xFF00FF.
  void drawImage(DImagePtr img, DImagePtr maskImg, int32_t x, int32_t y, int32_t anchor, int32_t transform);
  // Keyed images skip the key colour; both use palette.
  void drawImage(DImagePtr img, DPalettePtr palette, int32_t x, int32_t y, int32_t anchor, int32_t transform);
  // Keyed images skip the key colour, ARGB8888 images blend by their alpha,
  // others are copied.
  void drawImage(DImagePtr img, int32_t x, int32_t y, int32_t anchor, int32_t transform);
  // Copied whatever the key flag.
  void drawImageOpaque(DImagePtr img, int32_t x, int32_t y, int32_t anchor, int32_t transform);
  // At constant opacity alpha 0..255, skipping the key colour; palette may be null.
  void drawImage(DImagePtr img, int32_t x, int32_t y, int32_t alpha, int32_t anchor, int32_t transform,
                 DPalettePtr palette);
  // Keyed images only, rotated by angle (radians) around the anchored point
  // when the angle is above 0.0001; other images draw nothing.
  void drawImageRotated(DImagePtr img, DPalettePtr palette, int32_t x, int32_t y, int32_t anchor, float angle);
  void drawImageRotated(DImagePtr img, int32_t x, int32_t y, int32_t anchor, float angle);
  void drawString(qel::lang::DStringPtr str, int32_t x, int32_t y, int32_t anchor);
  void fillRect(int32_t x, int32_t y, int32_t w, int32_t h);
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // The outline covers w + 1 by h + 1 pixels.
  void drawRect(int32_t x, int32_t y, int32_t w, int32_t h);
  // colour drawn through channel (0 red .. 3 alpha, others 3) of img as coverage.
  void drawMask(uint32_t colour, DImagePtr img, int32_t x, int32_t y, int32_t channel, int32_t anchor,
                int32_t transform);
  // 0xAARRGGBB words rgbData[offset + row * scanlength + column] at (x, y),
  // untranslated: blended by their alpha, or else skipping the words
  // 0x00FF00FF. An array too short (or scanlength < width, offset < 0)
  // throws 0x05800001.
  void drawRGB(qel::lang::DintArrayPtr rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width,
               int32_t height, bool processAlpha);
  // A 4:2:0 picture at the translated (x, y); RGB565 surfaces only. Planes
  // too short for width x height throw 0x05800001.
  void drawYUV(qel::lang::DbyteArrayPtr luma, qel::lang::DbyteArrayPtr blueDiff, qel::lang::DbyteArrayPtr redDiff,
               int32_t lumaOffset, int32_t chromaOffset, int32_t lumaStride, int32_t chromaStride, int32_t x, int32_t y,
               int32_t width, int32_t height);
  // Asks stream to draw its frame at the anchored (x, y), untranslated.
  void drawVideoFrame(DVideoStreamPtr stream, int32_t x, int32_t y, int32_t anchor);

  // The clip in surface coordinates.
  int32_t getClipX() const;
  int32_t getClipY() const;
  int32_t getClipWidth() const;
  int32_t getClipHeight() const;
  // clip = the translated rectangle cut to the surface.
  void setClip(int32_t x, int32_t y, int32_t w, int32_t h);
  // clip = clip cut by the translated rectangle and the surface.
  void clipRect(int32_t x, int32_t y, int32_t w, int32_t h);

  DFontPtr getFont() const;
  void setFont(DFontPtr font);
  uint32_t getColor() const { return colour_; }
  void setColor(int32_t r, int32_t g, int32_t b);
  void setColor(uint32_t rgb) { colour_ = rgb; }
  void translate(int32_t dx, int32_t dy);
  int32_t getTranslateX() const { return translateX_; }
  int32_t getTranslateY() const { return translateY_; }

  qel::raster::RasterSurface& surface() const { return *surface_; }

private:
  qel::raster::RasterPoint place(const DImage& img, int32_t x, int32_t y, int32_t anchor, bool turned) const;
  qel::raster::RasterPoint translated(int32_t x, int32_t y) const;

  std::unique_ptr<qel::raster::RasterSurface> surface_;
  qel::lang::DObjectPtr owner_;
  DFontPtr font_;
  uint32_t colour_ = 0;
  int32_t translateX_ = 0;
  int32_t translateY_ = 0;
};

}  // namespace qel::lcdui
