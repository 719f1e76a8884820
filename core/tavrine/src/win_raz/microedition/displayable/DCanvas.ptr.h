#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DCanvas;
class DGameCanvas;
class DDisplay;
using DCanvasPtr = qel::lang::DPtr<DCanvas>;
using DGameCanvasPtr = qel::lang::DPtr<DGameCanvas>;
using DDisplayPtr = qel::lang::DPtr<DDisplay>;

}  // namespace qel::lcdui
