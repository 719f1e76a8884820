#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIModalScreen;
using GUIModalScreenPtr = qel::lang::DPtr<GUIModalScreen>;

}  // namespace guilib
