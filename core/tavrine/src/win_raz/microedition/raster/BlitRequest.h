#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/raster/GUIRect.h"
#include "microedition/raster/SurfaceDesc.h"

namespace qel::raster {

class RasterPalette;

enum BlitMode : int32_t {
  BLIT_COPY = 0,
  BLIT_MASKED = 1,
  BLIT_KEYED = 2,
  BLIT_TINT = 3,
  BLIT_BLEND = 4,
};

enum RasterTransform : int32_t {
  RT_NONE = 0,
  RT_ROT180 = 1,
  RT_ROT90 = 2,   // clockwise
  RT_ROT270 = 3,  // a quarter turn counter-clockwise
  RT_MIRROR_X = 4,
  RT_MIRROR_Y = 5,
  RT_ANGLE = 6,
};

constexpr uint32_t kNoKey = 0xFFFFFFFF;

// One drawing operation for blit(); built on the stack by the caller.
struct BlitRequest {
  BlitMode mode = BLIT_COPY;
  const SurfaceDesc* dest = nullptr;
  int32_t x = 0;  // top-left; for RT_ANGLE the destination of the source's centre
  int32_t y = 0;
  const SurfaceDesc* source = nullptr;
  const SurfaceDesc* mask = nullptr;  // alpha source of BLIT_MASKED
  int32_t useClip = 0;                // 0 clips to the destination's size
  GUIRect clip;
  uint32_t key = kNoKey;  // 0xRRGGBB
  RasterTransform transform = RT_NONE;
  int32_t channel = 0;               // coverage channel of BLIT_TINT: 0 red, 1 green, 2 blue, 3 alpha
  uint32_t colour = 0;               // 0xRRGGBB of BLIT_TINT
  int32_t alpha = 255;               // constant opacity of BLIT_BLEND and BLIT_MASKED
  RasterPalette* palette = nullptr;  // replaces a PF_INDEX8 source's own palette
  ptrdiff_t stepX = 0;               // set by blit: destination bytes per source pixel
  ptrdiff_t stepY = 0;               // and per source row
  float angle = 0.0f;                // radians, for RT_ANGLE
};

}  // namespace qel::raster
