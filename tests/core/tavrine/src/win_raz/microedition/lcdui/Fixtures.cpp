#include "Fixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<uint8_t> readFixture(const std::string& name) {
  std::ifstream file(std::string(NV_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("missing fixture " + name);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint32_t> readReference(const std::string& name) {
  const std::vector<uint8_t> bytes = readFixture(name);
  std::vector<uint32_t> pixels;
  for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    pixels.push_back(uint32_t{bytes[i + 3]} << 24 | uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 |
                     bytes[i + 2]);
  return pixels;
}

uint16_t toRgb565(uint32_t argb) {
  return static_cast<uint16_t>((argb >> 8 & 0xF800) | (argb >> 5 & 0x7E0) | (argb & 0xFF) >> 3);
}
