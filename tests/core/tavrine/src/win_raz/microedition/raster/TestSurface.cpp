#include "TestSurface.h"

#include "PixelIo.h"

namespace qel::raster::testing {

TestSurface::TestSurface(PixelFormat format, int32_t width, int32_t height, int32_t padding) {
  desc_.format = format;
  desc_.width = width;
  desc_.height = height;
  desc_.stride = width * bytesPerPixel(format) + padding;
  desc_.drawable = 1;
  bytes_.assign(static_cast<size_t>(desc_.stride) * static_cast<size_t>(height) + 1, 0xA5);
  desc_.pixels = bytes_.data();
  desc_.palette = format == PF_INDEX8 ? &palette_ : nullptr;
}

TestSurface::TestSurface(const TestSurface& other)
    : bytes_(other.bytes_), palette_(other.palette_), desc_(other.desc_) {
  desc_.pixels = bytes_.data();
  desc_.palette = other.desc_.palette ? &palette_ : nullptr;
}

uint32_t TestSurface::pixel(int32_t x, int32_t y) const { return readPixel(desc_, x, y); }

void TestSurface::setPixel(int32_t x, int32_t y, uint32_t value) { writePixel(desc_, x, y, value); }

void TestSurface::fill(uint32_t value) {
  for (int32_t y = 0; y < desc_.height; ++y) {
    for (int32_t x = 0; x < desc_.width; ++x) {
      setPixel(x, y, value);
    }
  }
}

void TestSurface::randomise(std::mt19937& random) {
  for (uint8_t& b : bytes_) {
    b = static_cast<uint8_t>(random());
  }
  for (int32_t i = 0; i < 256; ++i) {
    palette_.setEntry(i, random() & 0xFFFFFF);
  }
}

TestYuv::TestYuv(int32_t width, int32_t height, std::mt19937& random) {
  const int32_t chromaWidth = (width + 1) / 2;
  const int32_t chromaHeight = (height + 1) / 2;
  planes_.lumaStride = width + 2;
  planes_.chromaStride = chromaWidth + 1;
  luma_.resize(static_cast<size_t>(planes_.lumaStride * height));
  u_.resize(static_cast<size_t>(planes_.chromaStride * chromaHeight));
  v_.resize(u_.size());
  for (auto* plane : {&luma_, &u_, &v_}) {
    for (uint8_t& b : *plane) {
      b = static_cast<uint8_t>(random());
    }
  }
  planes_.luma = luma_.data();
  planes_.blueDiff = u_.data();
  planes_.redDiff = v_.data();
  desc_.format = PF_YUV420;
  desc_.width = width;
  desc_.height = height;
  desc_.pixels = &planes_;
}

}  // namespace qel::raster::testing
