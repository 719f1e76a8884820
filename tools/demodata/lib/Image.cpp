#include "tools/demodata/lib/Image.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace nv::demodata {

Image::Image(int width, int height, Rgba fill) : width_(width), height_(height) {
  if (width < 1 || height < 1) throw std::runtime_error("image without pixels");
  pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

Rgba Image::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kClear;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Image::set(int x, int y, Rgba colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void Image::fill(int x, int y, int w, int h, Rgba colour) {
  for (int yy = std::max(0, y); yy < std::min(height_, y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(width_, x + w); ++xx) set(xx, yy, colour);
}

void Image::frame(int x, int y, int w, int h, Rgba colour) {
  fill(x, y, w, 1, colour);
  fill(x, y + h - 1, w, 1, colour);
  fill(x, y, 1, h, colour);
  fill(x + w - 1, y, 1, h, colour);
}

void Image::bevel(int x, int y, int w, int h, Rgba face, Rgba light, Rgba dark) {
  fill(x, y, w, h, face);
  fill(x, y, w, 1, light);
  fill(x, y, 1, h, light);
  fill(x, y + h - 1, w, 1, dark);
  fill(x + w - 1, y, 1, h, dark);
}

void Image::line(int x0, int y0, int x1, int y1, Rgba colour) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Image::disc(int cx, int cy, int radius, Rgba colour) {
  for (int y = -radius; y <= radius; ++y)
    for (int x = -radius; x <= radius; ++x)
      if (x * x + y * y <= radius * radius + radius) set(cx + x, cy + y, colour);
}

void Image::triangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgba colour) {
  const auto edge = [](int ax, int ay, int bx, int by, int px, int py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  const int minX = std::min({x0, x1, x2}), maxX = std::max({x0, x1, x2});
  const int minY = std::min({y0, y1, y2}), maxY = std::max({y0, y1, y2});
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      const int a = edge(x0, y0, x1, y1, x, y), b = edge(x1, y1, x2, y2, x, y), c = edge(x2, y2, x0, y0, x, y);
      if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) set(x, y, colour);
    }
}

void Image::paste(const Image& source, int x, int y) {
  for (int yy = 0; yy < source.height(); ++yy)
    for (int xx = 0; xx < source.width(); ++xx)
      if (source.at(xx, yy).a != 0) set(x + xx, y + yy, source.at(xx, yy));
}

Image Image::cropped(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) out.set(xx, yy, at(x + xx, y + yy));
  return out;
}

Image Image::enlarged(int factor) const {
  Image out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height_; ++y)
    for (int x = 0; x < out.width_; ++x) out.pixels_[y * out.width_ + x] = pixels_[(y / factor) * width_ + x / factor];
  return out;
}

}  // namespace nv::demodata
