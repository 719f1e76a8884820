#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DGraphics;
using DGraphicsPtr = qel::lang::DPtr<DGraphics>;

}  // namespace qel::lcdui
