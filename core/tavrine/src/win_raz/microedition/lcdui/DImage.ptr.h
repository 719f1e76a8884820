#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DImage;
using DImagePtr = qel::lang::DPtr<DImage>;

}  // namespace qel::lcdui
