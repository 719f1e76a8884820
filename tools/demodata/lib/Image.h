#pragma once

#include <cstdint>
#include <vector>

namespace nv::demodata {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

constexpr Rgba rgb(std::uint32_t rgb24) {
  return {static_cast<std::uint8_t>(rgb24 >> 16),
          static_cast<std::uint8_t>(rgb24 >> 8),
          static_cast<std::uint8_t>(rgb24),
          255};
}
constexpr Rgba kClear{0, 0, 0, 0};

// An RGBA picture with the few drawing operations the sheet painters need; drawing is clipped.
class Image {
public:
  Image(int width, int height, Rgba fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgba at(int x, int y) const;
  void set(int x, int y, Rgba colour);

  void fill(int x, int y, int w, int h, Rgba colour);
  void frame(int x, int y, int w, int h, Rgba colour);
  // A raised box: light top-left edge, dark bottom-right edge.
  void bevel(int x, int y, int w, int h, Rgba face, Rgba light, Rgba dark);
  void line(int x0, int y0, int x1, int y1, Rgba colour);
  void disc(int cx, int cy, int radius, Rgba colour);
  void triangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgba colour);
  void paste(const Image& source, int x, int y);
  // Each pixel as a `factor` x `factor` block.
  Image enlarged(int factor) const;
  // The `w` x `h` part at (x, y); outside the picture it is clear.
  Image cropped(int x, int y, int w, int h) const;

private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

}  // namespace nv::demodata
