#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DPtr.h"
#include "lang/DbyteArray.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// A thing in one map cell: a door, an alarm box, a container of loot, a
// decoration, or a bomb a person planted (kind 9).
class RoomObject : public qel::lang::DObject {
public:
  static constexpr int32_t kindCount = 29;
  static constexpr int32_t bombKind = 9;
  static constexpr int8_t closed = 'x';
  static constexpr int8_t initialTakeSteps = 8;

  // Flag bits of the kind table's column 5.
  static constexpr int32_t containerFlag = 1 << 4;
  static constexpr int32_t inertFlag = 1 << 5;
  static constexpr int32_t facingHalfFlag = 1 << 6;
  static constexpr int32_t shiftedHalfFlag = 1 << 7;

  // state = {planned ? 0 : 'x', 8}; both stamps 0.
  RoomObject(int32_t type, int32_t x, int32_t y, int32_t facing, bool planned, int32_t content, int32_t amount);

  // stampsOnly: both stamps 0; otherwise state back to {'x', 8}.
  void reset(bool stampsOnly);
  // The object in the level view at its cell, in the current play mode.
  void paint(const qel::lcdui::DGraphicsPtr& g);
  // A progress bar of state[useFirst ? 0 : 1] out of total at the
  // graphics' origin; nothing when total is 0 or below.
  void paintProgress(const qel::lcdui::DGraphicsPtr& g, int32_t total, bool useFirst);

  // The kind table's flags of this object's kind.
  int32_t flags() const;

  int32_t type;
  int8_t x, y;
  int8_t facing;
  int16_t openStamp = 0;
  int16_t takeStamp = 0;
  qel::lang::DbyteArrayPtr state;
  int32_t content;
  int8_t amount;

private:
  void paintRunning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py);
  void paintPlanning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py);
  int32_t outlineColour() const;
};

using RoomObjectPtr = qel::lang::DPtr<RoomObject>;

}  // namespace nvx
