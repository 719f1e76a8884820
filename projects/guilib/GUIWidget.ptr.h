#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIWidget;
using GUIWidgetPtr = qel::lang::DPtr<GUIWidget>;

}  // namespace guilib
