#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DGifLoader;
using DGifLoaderPtr = qel::lang::DPtr<DGifLoader>;

}  // namespace qel::lcdui
