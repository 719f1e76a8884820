#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUIFont;
using GUIFontPtr = qel::lang::DPtr<GUIFont>;

}  // namespace guilib
