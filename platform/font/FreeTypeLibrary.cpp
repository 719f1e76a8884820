#include "platform/font/FreeTypeLibrary.h"

#include <ft2build.h>

#include "platform/font/FontError.h"
#include FT_FREETYPE_H

namespace wce {

FreeTypeLibrary::FreeTypeLibrary() {
  if (FT_Init_FreeType(&library_) != 0) {
    throw FontError("FreeType cannot be initialised");
  }
}

FreeTypeLibrary::~FreeTypeLibrary() { FT_Done_FreeType(library_); }

}  // namespace wce
