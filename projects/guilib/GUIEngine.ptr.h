#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIEngine;
using GUIEnginePtr = qel::lang::DPtr<GUIEngine>;

}  // namespace guilib
