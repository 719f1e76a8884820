#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class Animation;
using AnimationPtr = qel::lang::DPtr<Animation>;

}  // namespace gamelib
