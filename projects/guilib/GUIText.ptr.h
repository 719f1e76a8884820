#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIText;
using GUITextPtr = qel::lang::DPtr<GUIText>;

}  // namespace guilib
