#pragma once

#include <memory>
#include <string>
#include <string_view>

struct _FcConfig;

namespace wce {

// The font file (and face index in it) that serves a requested face and style.
struct FontMatch {
  std::string path;
  int index = 0;
};

// Finds font files through fontconfig. The device's face names map to the fonts
// installed here: "Tahoma" to DejaVu Sans, "Courier New" to DejaVu Sans Mono.
class FontLocator {
public:
  FontLocator();

  // Bold from FW_SEMIBOLD up. Throws FontError when no installed font carries the
  // (mapped) family name.
  FontMatch find(std::u16string_view faceName, int weight, bool italic) const;

private:
  struct ConfigDeleter {
    void operator()(_FcConfig* config) const;
  };
  std::unique_ptr<_FcConfig, ConfigDeleter> config_;
};

}  // namespace wce
