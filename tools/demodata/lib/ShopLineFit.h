#pragma once

#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

// The shop's item line (text 263 with an item's name, price and weight) stands in the shop
// window's title bar between its two ornaments (their ink read from the painted GUI sheet); throws naming the item
// whose line does not fit.
void checkShopLinesFit(const LanguageFile& language, const Alphabet& alphabet, const ScreenLayout& layout,
                       const Image& guiSheet);

}  // namespace nv::demodata
