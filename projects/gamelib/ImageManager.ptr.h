#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class ImageManager;
using ImageManagerPtr = qel::lang::DPtr<ImageManager>;

}  // namespace gamelib
