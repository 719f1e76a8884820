#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DPtr.h"

namespace nvx {

// One recorded step of a plan: the cell where it begins and, packed in
// one byte, the action (bits 0-2), direction (bits 3-4) and item slot (5-6).
class Path : public qel::lang::DObject {
public:
  // Step actions.
  static constexpr int32_t Stand = 0;
  static constexpr int32_t Walk = 1;
  static constexpr int32_t Wait = 2;
  static constexpr int32_t Take = 3;
  static constexpr int32_t Work = 4;
  static constexpr int32_t Plant = 5;

  // Directions: 0 west, 1 north, 2 east, 3 south.
  Path(int32_t x, int32_t y, int32_t action, int32_t direction, int32_t itemSlot);

  // The setters add the value unmasked after clearing their field: callers
  // pass values inside the field's range.
  void setAction(int32_t action);
  void setDirection(int32_t direction);
  void setItemSlot(int32_t slot);
  int32_t getAction() const { return packed_ & 7; }
  int32_t getDirection() const { return (packed_ & 0x18) >> 3; }
  int32_t getItemSlot() const { return (packed_ & 0x60) >> 5; }
  uint8_t packed() const { return packed_; }

  int8_t x;
  int8_t y;

private:
  uint8_t packed_;
};

using PathPtr = qel::lang::DPtr<Path>;

}  // namespace nvx
