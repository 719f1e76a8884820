#include <algorithm>
#include <stdexcept>

#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata {

Rgba shade(Rgba c, int percent) {
  const auto scale = [percent](int v) {
    if (percent <= 100) return v * percent / 100;
    return std::min(255, v + (255 - v) * (percent - 100) / 100);
  };
  return {static_cast<std::uint8_t>(scale(c.r)),
          static_cast<std::uint8_t>(scale(c.g)),
          static_cast<std::uint8_t>(scale(c.b)),
          c.a};
}

Rgba parseColour(const std::string& hex) {
  if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    throw std::runtime_error("colour must be six hex digits: " + hex);
  return rgb(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16)));
}

void paintVehicle(Image& image, int x, int y, int w, int h, Rgba body, bool police) {
  const Rgba tyre = rgb(0x161616), glass = rgb(0x9ec8e8);
  image.fill(x + 4, y + 1, 8, 3, tyre);
  image.fill(x + w - 12, y + 1, 8, 3, tyre);
  image.fill(x + 4, y + h - 4, 8, 3, tyre);
  image.fill(x + w - 12, y + h - 4, 8, 3, tyre);
  image.bevel(x + 1, y + 3, w - 2, h - 6, body, shade(body, 150), shade(body, 60));
  image.fill(x + 6, y + 6, 8, h - 12, glass);
  image.fill(x + w - 16, y + 6, 6, h - 12, glass);
  if (police) {
    image.fill(x + w / 2 - 3, y + h / 2 - 3, 3, 6, rgb(0x2060ff));
    image.fill(x + w / 2, y + h / 2 - 3, 3, 6, rgb(0xff2020));
  }
}

void paintPersonFigure(Image& image, int x, int y, int size, int direction, int phase, Rgba clothes, Rgba tool) {
  static constexpr int dx[] = {-1, 0, 1, 0};
  static constexpr int dy[] = {0, -1, 0, 1};
  const int c = size / 2;
  const int swing = (phase % 2 == 0 ? 1 : -1) * (phase / 2 == 0 ? 2 : 1);
  const int px = -dy[direction], py = dx[direction];  // shoulder axis
  const Rgba skin = rgb(0xe8b890), outline = rgb(0x101010);
  image.disc(x + c + px * 5 + dx[direction] * swing, y + c + py * 5 + dy[direction] * swing, 2, skin);
  image.disc(x + c - px * 5 - dx[direction] * swing, y + c - py * 5 - dy[direction] * swing, 2, skin);
  image.disc(x + c, y + c, 6, outline);
  image.disc(x + c, y + c, 5, clothes);
  // The head: a face toward the direction of travel under a dark cap.
  const int hx = x + c + dx[direction], hy = y + c + dy[direction];
  image.disc(hx, hy, 3, skin);
  image.disc(hx - dx[direction] * 2, hy - dy[direction] * 2, 2, rgb(0x202020));
  image.set(hx + dx[direction] * 2 + px, hy + dy[direction] * 2 + py, outline);
  image.set(hx + dx[direction] * 2 - px, hy + dy[direction] * 2 - py, outline);
  if (tool.a != 0) {
    const int tx = x + c + dx[direction] * 8 + px * 3, ty = y + c + dy[direction] * 8 + py * 3;
    image.fill(tx - 1, ty - 1, 3, 3, tool);
  }
}

}  // namespace nv::demodata
