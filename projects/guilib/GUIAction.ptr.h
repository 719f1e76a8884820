#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIAction;
using GUIActionPtr = qel::lang::DPtr<GUIAction>;

}  // namespace guilib
