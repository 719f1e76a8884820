#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class PlayerInfo;
using PlayerInfoPtr = qel::lang::DPtr<PlayerInfo>;

}  // namespace gamelib
