#include "Fixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<uint8_t> readFixture(const std::string& name) {
  std::ifstream file(std::string(NV_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("missing fixture " + name);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool hasFixture(const std::string& name) { return std::ifstream(std::string(NV_TEST_DATA_DIR) + "/" + name).good(); }

std::vector<uint32_t> readReference(const std::string& name) {
  const std::vector<uint8_t> bytes = readFixture(name);
  std::vector<uint32_t> pixels;
  if (name.ends_with(".rgba16")) {
    auto channel = [&](size_t at) { return ((uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8) + 128) / 257; };
    for (size_t i = 0; i + 7 < bytes.size(); i += 8)
      pixels.push_back(channel(i + 6) << 24 | channel(i) << 16 | channel(i + 2) << 8 | channel(i + 4));
    return pixels;
  }
  for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    pixels.push_back(uint32_t{bytes[i + 3]} << 24 | uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 |
                     bytes[i + 2]);
  return pixels;
}

uint16_t toRgb565(uint32_t argb) {
  return static_cast<uint16_t>((argb >> 8 & 0xF800) | (argb >> 5 & 0x7E0) | (argb & 0xFF) >> 3);
}
