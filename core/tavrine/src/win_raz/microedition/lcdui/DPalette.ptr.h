#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DPalette;
using DPalettePtr = qel::lang::DPtr<DPalette>;

}  // namespace qel::lcdui
