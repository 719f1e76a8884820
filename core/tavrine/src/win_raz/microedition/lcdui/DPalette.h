#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "microedition/lcdui/DPalette.ptr.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::lcdui {

// A colour table for indexed images, held by value.
class DPalette final : public qel::lang::DObject {
public:
  explicit DPalette(int32_t count) : palette_(count) {}

  // The profile's class name of this object.
  std::string getClassName() const override { return "DObject"; }

  qel::raster::RasterPalette& palette() { return palette_; }
  const qel::raster::RasterPalette& palette() const { return palette_; }

private:
  qel::raster::RasterPalette palette_;
};

}  // namespace qel::lcdui
