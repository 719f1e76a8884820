#pragma once

#include <cstdint>

#include "io/DInputStream.ptr.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray2d.h"

namespace gamelib {

// The game's layout tables that "res.dat" overwrites: nine layout bytes,
// then four groups of rows (map places, map points, sprites, short rows).
struct ResTables {
  static constexpr int LayoutByteCount = 9;

  int8_t layoutBytes[LayoutByteCount] = {};
  qel::lang::DintArray2dPtr mapPlaces;
  qel::lang::DshortArray2dPtr mapPoints;
  qel::lang::DshortArray2dPtr spriteTable;
  // Rows still null are made with the length the file gives.
  qel::lang::DshortArray2dPtr shortRows;

  // Reads the tables from in (null reads nothing). A framework exception
  // (early end, a row or column outside a table) stops the reading and keeps
  // what was read; a negative count reads nothing.
  void read(qel::io::DInputStreamPtr in);
};

}  // namespace gamelib
