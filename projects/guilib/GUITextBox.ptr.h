#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUITextBox;
using GUITextBoxPtr = qel::lang::DPtr<GUITextBox>;

}  // namespace guilib
