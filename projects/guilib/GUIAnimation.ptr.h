#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIAnimation;
using GUIAnimationPtr = qel::lang::DPtr<GUIAnimation>;

}  // namespace guilib
