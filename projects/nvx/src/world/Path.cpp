#include "nvx/src/world/Path.h"

namespace nvx {

Path::Path(int32_t x, int32_t y, int32_t action, int32_t direction, int32_t itemSlot)
    : x(static_cast<int8_t>(x)), y(static_cast<int8_t>(y)), packed_(0) {
  setAction(action);
  setDirection(direction);
  setItemSlot(itemSlot);
}

void Path::setAction(int32_t action) { packed_ = static_cast<uint8_t>((packed_ & ~7) + action); }

void Path::setDirection(int32_t direction) { packed_ = static_cast<uint8_t>((packed_ & ~0x18) + (direction << 3)); }

void Path::setItemSlot(int32_t slot) { packed_ = static_cast<uint8_t>((packed_ & ~0x60) + (slot << 5)); }

}  // namespace nvx
