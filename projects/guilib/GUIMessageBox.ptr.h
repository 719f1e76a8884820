#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIMessageBox;
using GUIMessageBoxPtr = qel::lang::DPtr<GUIMessageBox>;

}  // namespace guilib
