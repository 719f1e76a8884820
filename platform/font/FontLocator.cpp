#include "platform/font/FontLocator.h"

#include <algorithm>
#include <array>
#include <fontconfig/fontconfig.h>

#include "platform/files/Text.h"
#include "platform/font/FontError.h"
#include "platform/font/LogFont.h"
#include "platform/system/AsciiCase.h"

namespace wce {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct FaceAlias {
  std::string_view deviceName;
  std::string_view installedFamily;
};

constexpr std::array<FaceAlias, 2> kFaceAliases{{
    {"Tahoma", "DejaVu Sans"},
    {"Courier New", "DejaVu Sans Mono"},
}};

std::string installedFamily(std::string_view faceName) {
  for (const FaceAlias& alias : kFaceAliases) {
    if (wce::equalsIgnoringAsciiCase(faceName, alias.deviceName)) {
      return std::string(alias.installedFamily);
    }
  }
  return std::string(faceName);
}

bool hasFamily(FcPattern* pattern, std::string_view family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (wce::equalsIgnoringAsciiCase(reinterpret_cast<const char*>(name), family)) {
      return true;
    }
  }
  return false;
}

}  // namespace

void FontLocator::ConfigDeleter::operator()(_FcConfig* config) const { FcConfigDestroy(config); }

FontLocator::FontLocator() : config_(FcInitLoadConfigAndFonts()) {
  if (!config_) {
    throw FontError("fontconfig cannot load its configuration");
  }
}

FontMatch FontLocator::find(std::u16string_view faceName, int weight, bool italic) const {
  const std::string requested = toUtf8(faceName).value_or("");
  const std::string family = installedFamily(requested);
  const bool bold = weight >= FW_SEMIBOLD;

  Pattern query(FcPatternCreate());
  if (!query) {
    throw FontError("fontconfig cannot create a pattern");
  }
  FcPatternAddString(query.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(query.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(query.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(query.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config_.get(), query.get(), FcMatchPattern);
  FcDefaultSubstitute(query.get());

  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(config_.get(), query.get(), &result));
  FcChar8* file = nullptr;
  if (!match || !hasFamily(match.get(), family) ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    throw FontError("font not found: \"" + requested + "\" (looked for family \"" + family + "\")");
  }

  FontMatch found;
  found.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
  return found;
}

}  // namespace wce
