#pragma once

#include <cstdint>

#include "microedition/lcdui/DImage.h"
#include "microedition/raster/RasterSurface.h"

// Reads one pixel of an image's surface in its own format.
inline uint32_t pixelAt(const qel::lcdui::DImage& image, int x, int y) {
  const qel::raster::RasterSurface& surface = image.surface();
  const auto* row = static_cast<const uint8_t*>(surface.pixels()) + y * surface.stride();
  switch (surface.format()) {
    case qel::raster::PF_RGB565: return reinterpret_cast<const uint16_t*>(row)[x];
    case qel::raster::PF_ARGB8888: return reinterpret_cast<const uint32_t*>(row)[x];
    default: return row[x];
  }
}
