#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DFont;
using DFontPtr = qel::lang::DPtr<DFont>;

}  // namespace qel::lcdui
