#include <array>

#include "microedition/raster/RasterBlit.h"

namespace qel::raster {

const uint16_t* getProductTable() {
  static const std::array<uint16_t, 65536> table = [] {
    std::array<uint16_t, 65536> products{};
    for (uint32_t a = 0; a < 256; ++a) {
      for (uint32_t b = 0; b < 256; ++b) {
        products[a * 256 + b] = static_cast<uint16_t>(a * b);
      }
    }
    return products;
  }();
  return table.data();
}

}  // namespace qel::raster
