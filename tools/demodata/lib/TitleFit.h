#pragma once

#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

// Every window title the game draws stands in its title bar between the bar's two ornaments
// (their ink read from the painted GUI sheet), in the narrowest window the game lays out for a
// title of its length on `screen`; `layout` and `guiSheet` are those painted before enlarging.
// Throws naming the text whose title does not fit.
void checkTitlesFit(const LanguageFile& language, const Alphabet& alphabet, const ScreenLayout& layout,
                    const Image& guiSheet, const ScreenSet& screen);

}  // namespace nv::demodata
