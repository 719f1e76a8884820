#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIVScrollBar;
using GUIVScrollBarPtr = qel::lang::DPtr<GUIVScrollBar>;

}  // namespace guilib
