#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIVirtualKeyboard;
using GUIVirtualKeyboardPtr = qel::lang::DPtr<GUIVirtualKeyboard>;

}  // namespace guilib
