#include "Panel.h"

#include <fstream>

#include "platform/screen/DeviceScreen.h"

Panel Panel::capture() {
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  return Panel{screen.width(), screen.height(), screen.readView()};
}

void Panel::save(const std::filesystem::path& file) const {
  std::ofstream out(file, std::ios::binary);
  const int32_t size[2] = {width, height};
  out.write(reinterpret_cast<const char*>(size), sizeof size);
  out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 2));
}

Panel Panel::load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  int32_t size[2] = {0, 0};
  if (!in.read(reinterpret_cast<char*>(size), sizeof size) || size[0] <= 0 || size[1] <= 0 || size[0] > 4096 ||
      size[1] > 4096)
    return {};
  Panel panel{size[0], size[1], std::vector<uint16_t>(static_cast<std::size_t>(size[0] * size[1]))};
  if (!in.read(reinterpret_cast<char*>(panel.pixels.data()), static_cast<std::streamsize>(panel.pixels.size() * 2)))
    return {};
  return panel;
}
