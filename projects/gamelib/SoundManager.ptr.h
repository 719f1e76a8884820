#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class SoundManager;
using SoundManagerPtr = qel::lang::DPtr<SoundManager>;

}  // namespace gamelib
