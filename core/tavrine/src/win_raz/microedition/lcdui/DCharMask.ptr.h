#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DCharMask;
using DCharMaskPtr = qel::lang::DPtr<DCharMask>;

}  // namespace qel::lcdui
