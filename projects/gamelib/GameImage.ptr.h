#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class GameImage;
using GameImagePtr = qel::lang::DPtr<GameImage>;

}  // namespace gamelib
