#pragma once

#include <cstdint>
#include <memory>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "lang/DintArray.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"
#include "microedition/lcdui/DPalette.ptr.h"
#include "microedition/raster/PixelFormat.h"

namespace qel::raster {
class RasterSurface;
}

namespace qel::lcdui {

// The framework's image: one surface of RGB565, ARGB8888 or indexed pixels.
// A keyed image does not draw its pixels of the key colour 0xFF00FF.
class DImage final : public qel::lang::DObject {
public:
  static constexpr uint32_t kKeyColour = 0xFF00FF;

  // Takes the surface; a null surface, or one without pixels, throws 0x05000080.
  explicit DImage(std::unique_ptr<qel::raster::RasterSurface> surface);
  ~DImage() override;

  std::string getClassName() const override { return "DImage"; }

  // A blank image: RGB565 opaque white, ARGB8888 transparent white (0x00FFFFFF),
  // INDEX8 index 0. A side below 1 throws 0x05400000; a buffer that cannot be
  // made throws 0x05000080.
  static DImagePtr createImageOfFormat(int32_t width, int32_t height, qel::raster::PixelFormat format);
  static DImagePtr createImage(int32_t width, int32_t height);
  // Decodes the stream's whole content (PNG, GIF, else JPEG; paletted: PNG
  // colour type 3 or GIF into INDEX8), applies the transform when not 0,
  // names the image after the stream. A null stream throws 0x05000080,
  // undecodable data 0x06000000 (a fatal JPEG error 0x05000080).
  static DImagePtr createImageFromStream(qel::io::DInputStreamPtr stream, int32_t transform, bool paletted);
  // The named entry of the current archive, else the file of that name in
  // the program folder, decoded as createImageFromStream does. A null name
  // throws 0x05000080.
  static DImagePtr createImageFromResource(qel::lang::DStringPtr name, int32_t transform, bool paletted);
  // The same from bytes in memory.
  static DImagePtr createImageFromData(const uint8_t* data, int32_t length, bool paletted);
  // Sprite transforms 0 (copy), 2 (mirror), 3 (rotate 180), 5 (rotate 90)
  // and 6 (rotate 270); others throw 0x05400000. Keeps the key flag and
  // the palette.
  static DImagePtr createTransformedImage(DImagePtr image, int32_t transform);

  // A drawing context on a view of this image's pixels; it holds the image.
  DGraphicsPtr getGraphics();
  int32_t getWidth() const;
  int32_t getHeight() const;
  bool isMutable() const { return true; }

  // The pixels of {x, y, width, height} as 0xAARRGGBB words into
  // rgbData[offset + row * scanlength + column]; pixels of the key colour
  // leave their words unchanged. A rectangle outside the image
  // throws 0x05400000; an array too short for it (or scanlength < width,
  // offset < 0) 0x05800001; a null array 0x05000080.
  void getRGB(qel::lang::DintArrayPtr rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width,
              int32_t height);

  // Keyed, and every pixel the key colour.
  void fillWithColorKey();
  bool hasPalette() const;
  // A 256-entry copy of the palette, or null.
  DPalettePtr getPalette() const;
  // Copies palette in when this image has one (a null palette then throws
  // 0x05000080); false when it has none.
  bool setPalette(DPalettePtr palette);

  bool isKeyed() const { return keyed_; }
  void setKeyed(bool keyed) { keyed_ = keyed; }
  const qel::lang::DStringPtr& getName() const { return name_; }
  void setName(const qel::lang::DStringPtr& name);
  // Milliseconds a GIF frame is shown; 0 for other images.
  int32_t getFrameDelay() const { return frameDelay_; }
  void setFrameDelay(int32_t delay) { frameDelay_ = delay; }

  qel::raster::RasterSurface& surface() const { return *surface_; }

private:
  std::unique_ptr<qel::raster::RasterSurface> surface_;
  bool keyed_ = false;
  qel::lang::DStringPtr name_;
  int32_t frameDelay_ = 0;
};

}  // namespace qel::lcdui
