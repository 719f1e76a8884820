#pragma once

#include <memory>

#include "platform/font/Font.h"
#include "platform/font/FontLocator.h"
#include "platform/font/LogFont.h"

namespace wce {

class FreeTypeLibrary;

// The platform's font service: CreateFontIndirectW on FreeType and fontconfig.
// Fonts it makes stay valid after the service is gone.
class FontService {
public:
  FontService();

  // Throws FontError when the face cannot be found or sized.
  Font createFont(const LogFont& logFont) const;

private:
  std::shared_ptr<FreeTypeLibrary> library_;
  FontLocator locator_;
};

}  // namespace wce
