#include "tools/demodata/lib/ShopLineFit.h"

#include <stdexcept>
#include <string>

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/InkColumns.h"
#include "tools/demodata/lib/ParameterFill.h"
#include "tools/demodata/lib/PixelFont.h"

namespace nv::demodata {

namespace {

constexpr int kItemLineText = 263;
constexpr int kFirstItemName = 104;
constexpr int kShopColumns = 6;
// The game's shop window on the 240-pixel view: cell gap, frame border, the line's offset and
// the ornaments' inset from the border.
constexpr int kShopGap = 5;
constexpr int kBorder = 2;
constexpr int kLineOffset = 5;
constexpr int kOrnamentInset = 2;

}  // namespace

void checkShopLinesFit(const LanguageFile& language, const Alphabet& alphabet, const ScreenLayout& layout,
                       const Image& guiSheet) {
  const int cell = layout.header("textCharWidth");
  const int panelWidth = kShopGap + (layout.sprite("slot").w + kShopGap) * kShopColumns + 8;
  const SpriteRow& ornament = layout.sprite("bubbleDotSmall");
  const InkColumns ornamentInk = inkColumnsOf(guiSheet, ornament);
  const int clearLeft = kBorder + kOrnamentInset + ornamentInk.last + 1;
  const int clearRight = panelWidth - kBorder - kOrnamentInset - ornament.w + ornamentInk.first;
  const int inkOffset = (cell - PixelFont::kWidth - 1) / 2;
  const int blank = alphabet.glyphOf(U' ');
  const auto& entries = language.entries();
  for (int item = 0; item < static_cast<int>(std::size(nvx::tables::itemValueTable)); ++item) {
    const std::vector<int> line =
        fillParameters(entries.at(kItemLineText - 1),
                       alphabet,
                       {entries.at(kFirstItemName + item - 1),
                        alphabet.glyphsOf(std::to_string(nvx::tables::itemValueTable[item][0])),
                        alphabet.glyphsOf(std::to_string(nvx::tables::itemValueTable[item][1]))});
    for (std::size_t k = 0; k < line.size(); ++k) {
      if (line[k] == blank) continue;
      const int ink = kLineOffset + static_cast<int>(k) * cell + inkOffset;
      if (ink < clearLeft || ink + PixelFont::kWidth > clearRight)
        throw std::runtime_error(
            "text " + std::to_string(kItemLineText) + " for text " + std::to_string(kFirstItemName + item) +
            ": the shop line of " + std::to_string(line.size()) + " glyphs runs over the window's ornaments (" +
            std::to_string((clearRight - kLineOffset) / cell) + " cells end before the right one)");
    }
  }
}

}  // namespace nv::demodata
