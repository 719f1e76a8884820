#include "platform/font/FontService.h"

#include "platform/font/FreeTypeLibrary.h"

namespace wce {

FontService::FontService() : library_(std::make_shared<FreeTypeLibrary>()) {}

Font FontService::createFont(const LogFont& logFont) const {
  const FontMatch match = locator_.find(logFont.faceName, logFont.weight, logFont.italic);
  return Font(library_, match, logFont);
}

}  // namespace wce
