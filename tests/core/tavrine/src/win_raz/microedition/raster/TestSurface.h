#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/SurfaceDesc.h"
#include "microedition/raster/YuvPlanes.h"

namespace qel::raster::testing {

// A pixel buffer owned by the test, with padding bytes after every row so
// that writes outside the surface show up in comparisons.
class TestSurface {
public:
  TestSurface(PixelFormat format, int32_t width, int32_t height, int32_t padding = 3);
  TestSurface(const TestSurface& other);
  TestSurface& operator=(const TestSurface&) = delete;

  SurfaceDesc& desc() { return desc_; }
  const SurfaceDesc& desc() const { return desc_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  uint32_t pixel(int32_t x, int32_t y) const;
  void setPixel(int32_t x, int32_t y, uint32_t value);
  void fill(uint32_t value);
  void randomise(std::mt19937& random);
  RasterPalette& palette() { return palette_; }

private:
  std::vector<uint8_t> bytes_;
  RasterPalette palette_;
  SurfaceDesc desc_;
};

// A 4:2:0 picture behind a PF_YUV420 descriptor.
class TestYuv {
public:
  TestYuv(int32_t width, int32_t height, std::mt19937& random);
  TestYuv(const TestYuv&) = delete;
  TestYuv& operator=(const TestYuv&) = delete;

  const SurfaceDesc& desc() const { return desc_; }
  std::vector<uint8_t>& luma() { return luma_; }
  std::vector<uint8_t>& u() { return u_; }
  std::vector<uint8_t>& v() { return v_; }

private:
  std::vector<uint8_t> luma_;
  std::vector<uint8_t> u_;
  std::vector<uint8_t> v_;
  YuvPlanes planes_;
  SurfaceDesc desc_;
};

}  // namespace qel::raster::testing
