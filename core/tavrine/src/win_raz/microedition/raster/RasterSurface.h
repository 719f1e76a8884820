#pragma once

#include <cstdint>
#include <memory>

#include "microedition/raster/BlitRequest.h"
#include "microedition/raster/GUIRect.h"
#include "microedition/raster/RasterPoint.h"
#include "microedition/raster/SurfaceDesc.h"

namespace qel::raster {

class RasterAllocator;
class RasterPalette;

// A pixel buffer with a clip rectangle. Made with an allocator it owns its
// buffer; made from a descriptor it is a view that owns nothing, so the
// pixels must outlive it. Drawing never fails: whatever lies outside the
// clip, or cannot be drawn, is left out.
class RasterSurface {
public:
  // A buffer of format from allocator (null: the default one). PF_YUV420
  // yields an empty, undrawable surface. A failed allocation leaves the
  // surface without pixels.
  RasterSurface(PixelFormat format, int32_t width, int32_t height, RasterAllocator* allocator = nullptr);
  // A view of desc.
  explicit RasterSurface(const SurfaceDesc& desc);
  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;
  virtual ~RasterSurface();

  // Frees the owned buffer and becomes a view of desc.
  void attach(const SurfaceDesc& desc);

  const SurfaceDesc& desc() const { return desc_; }
  PixelFormat format() const { return desc_.format; }
  int32_t width() const { return desc_.width; }
  int32_t height() const { return desc_.height; }
  int32_t stride() const { return desc_.stride; }
  void* pixels() const { return desc_.pixels; }
  RasterPalette* palette() const { return desc_.palette; }
  bool isDrawable() const { return desc_.drawable != 0; }
  RasterAllocator* allocator() const { return allocator_; }

  const GUIRect& clip() const { return clip_; }
  // clip = rect cut to the surface.
  void setClip(const GUIRect& rect);

  // Colours are 0xRRGGBB, converted to the surface's format.
  void fillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb);
  void drawHLine(RasterPoint p1, RasterPoint p2, uint32_t rgb);
  void drawVLine(RasterPoint p1, RasterPoint p2, uint32_t rgb);
  void drawLine(RasterPoint p1, RasterPoint p2, uint32_t rgb);
  // The outline of {x, y, w, h}: w + 1 by h + 1 pixels.
  void drawRect(const GUIRect& rect, uint32_t rgb);

  // Blits of source placed at (x, y), clipped to this surface's clip.
  void drawSurface(int32_t x, int32_t y, const RasterSurface& source, RasterPalette* palette,
                   RasterTransform transform);
  // An angle above 0.0001 rotates source around its centre, placed at (x, y).
  void drawSurfaceKeyed(int32_t x, int32_t y, const RasterSurface& source, uint32_t key, RasterPalette* palette,
                        RasterTransform transform, float angle);
  // Alpha from mask (null: the source itself).
  void drawSurfaceMasked(int32_t x, int32_t y, const RasterSurface& source, const RasterSurface* mask, uint32_t key,
                         RasterTransform transform);
  // colour drawn through one channel (0 red .. 3 alpha) of maskSurface.
  void drawSurfaceTinted(int32_t x, int32_t y, const RasterSurface& maskSurface, uint32_t colour, int32_t channel,
                         RasterTransform transform);
  // Constant opacity 0..255; ARGB8888 sources also keep their own alpha.
  void drawSurfaceAlpha(int32_t x, int32_t y, const RasterSurface& source, int32_t alpha, RasterPalette* palette,
                        uint32_t key, RasterTransform transform);

  // A new surface of this format (null allocator: the default one).
  std::unique_ptr<RasterSurface> createCompatible(int32_t width, int32_t height,
                                                  RasterAllocator* allocator = nullptr) const;
  // A copy; null when its buffer cannot be made.
  std::unique_ptr<RasterSurface> clone(RasterAllocator* allocator = nullptr) const;
  // A transformed copy (quarter turns exchange width and height); null when
  // its buffer cannot be made, for PF_NONE and for RT_ANGLE.
  std::unique_ptr<RasterSurface> createTransformed(RasterTransform transform,
                                                   RasterAllocator* allocator = nullptr) const;
  // The same, replacing this surface's own buffer; only for surfaces that
  // own their buffer. The new buffer comes from allocator (null: the
  // surface's own), which then owns it. False when nothing changed.
  bool transformInPlace(RasterTransform transform, RasterAllocator* allocator = nullptr);

private:
  void releaseBuffer();
  bool canDraw() const;
  BlitRequest request(BlitMode mode, int32_t x, int32_t y, const RasterSurface& source) const;
  void copyTransformedInto(SurfaceDesc& target, RasterTransform transform) const;

  RasterAllocator* allocator_ = nullptr;
  SurfaceDesc desc_;
  GUIRect clip_;
};

}  // namespace qel::raster
