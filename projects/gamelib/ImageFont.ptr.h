#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class ImageFont;
using ImageFontPtr = qel::lang::DPtr<ImageFont>;

}  // namespace gamelib
