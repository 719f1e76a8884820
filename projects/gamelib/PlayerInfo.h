#pragma once

#include <cstdint>

#include "gamelib/PlayerInfo.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.h"

namespace gamelib {

// What the sound manager keeps of one sound besides its player.
class PlayerInfo : public qel::lang::DObject {
public:
  PlayerInfo(int32_t kind, int32_t group) : kind(kind), group(group) {}

  int32_t kind;
  int32_t group;
  // The resource with its extension; null when neither ".wav" nor ".mod" exists.
  qel::lang::DStringPtr fileName;
  // Milliseconds of the last play; 0 before.
  int64_t startTime = 0;
  // Bytes of the resource; 0 when unknown.
  int32_t size = 0;
};

}  // namespace gamelib
