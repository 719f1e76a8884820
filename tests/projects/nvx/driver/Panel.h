#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The device panel's view as seen at a checkpoint: RGB565, row by row.
struct Panel {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;

  uint16_t at(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0 : pixels[static_cast<std::size_t>(y * width + x)];
  }
  // The current device screen.
  static Panel capture();
  void save(const std::filesystem::path& file) const;
  // An empty panel when the file cannot be read.
  static Panel load(const std::filesystem::path& file);
};

// 0xRRGGBB as the panel stores it.
constexpr uint16_t rgb565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}
