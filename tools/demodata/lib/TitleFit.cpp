#include "tools/demodata/lib/TitleFit.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "nvx/src/windows/WindowMetrics.h"
#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/InkColumns.h"
#include "tools/demodata/lib/ParameterFill.h"
#include "tools/demodata/lib/PixelFont.h"

namespace nv::demodata {

namespace {

struct TitleRun {
  int first;
  int count;
};

// Title text ids of the window openers in projects/nvx/src, but 129: the main menu has no frame.
constexpr TitleRun kWindowTitles[] = {{41, nvx::tables::personCount},
                                      {46, 1},
                                      {98, 1},
                                      {104, nvx::tables::itemClasses},
                                      {128, 1},
                                      {130, 14},
                                      {163, 1},
                                      {189, 1},
                                      {191, 1},
                                      {198, 1},
                                      {202, 1},
                                      {203, 1},
                                      {208, 1},
                                      {210, 1},
                                      {284, 1}};

// "Job {0}", filled with the job's number.
constexpr int kJobTitle = 134;
constexpr int kTrainingLevels = 6;

// The game's window layout in screen pixels (not enlarged with the pictures) and glyph cells.
using nvx::tables::WindowMetrics;
constexpr int kShadowDepth = WindowMetrics::shadowDepth;
constexpr int kScreenMargins = WindowMetrics::screenMarginLeft + WindowMetrics::screenMarginRight;
constexpr int kBorder = WindowMetrics::border;
constexpr int kTextInsets = WindowMetrics::leftInset + WindowMetrics::rightInset;
constexpr int kOrnamentInset = 2;
constexpr int kTitleAllowance = WindowMetrics::titleWidthAllowance;
constexpr int kListAllowance = 2;
constexpr int kTitleOrnamentRow = 17;

// The clear part of the title bar of a window as the game lays it out for a title's length.
class TitleBar {
public:
  TitleBar(const ScreenLayout& layout, const Image& guiSheet, const ScreenSet& screen)
      : cell_(layout.header("textCharWidth") * screen.scale),
        glyphInkOffset_((layout.header("textCharWidth") - PixelFont::kWidth - 1) / 2 * screen.scale),
        glyphInkWidth_((PixelFont::kWidth + 1) * screen.scale),
        available_(screen.width - kShadowDepth - kScreenMargins) {
    const SpriteRow& ornament = layout.sprite(kTitleOrnamentRow);
    const InkColumns ink = inkColumnsOf(guiSheet, ornament);
    clearLeft_ = kBorder + kOrnamentInset + (ink.last + 1) * screen.scale;
    clearRightFromEdge_ = kBorder + kOrnamentInset + (ornament.w - ink.first) * screen.scale;
  }

  // Whether the ink of glyphs firstInked to lastInked (each with its shadow) of a title of
  // `length` glyphs, centred in its window, stays between the ornaments.
  bool holds(int length, int firstInked, int lastInked) const {
    if (firstInked > lastInked) return true;
    const int window = narrowestWindow(length);
    const int left = (window - cell_ * length) / 2 + glyphInkOffset_;
    return left + firstInked * cell_ >= clearLeft_ &&
           left + lastInked * cell_ + glyphInkWidth_ <= window - clearRightFromEdge_;
  }

  int widestTitle() const {
    int glyphs = 0;
    while (holds(glyphs + 1, 0, glyphs)) ++glyphs;
    return glyphs;
  }

private:
  // A text window takes the title's cells and the allowance, at most what the screen's width
  // holds; a list window two cells more, at most the screen's width.
  int narrowestWindow(int length) const {
    const int textChrome = 2 * kBorder + kTextInsets;
    const int textCells = std::max(1, (available_ - textChrome) / cell_);
    const int text = std::min(cell_ * std::min(length + kTitleAllowance, textCells) + textChrome, available_);
    const int list = std::min(cell_ * (length + kTitleAllowance + kListAllowance), available_);
    return std::min(text, list);
  }

  int cell_, glyphInkOffset_, glyphInkWidth_, available_;
  int clearLeft_ = 0, clearRightFromEdge_ = 0;
};

std::vector<int> titleGlyphs(const LanguageFile& language, const Alphabet& alphabet, int id) {
  const std::vector<int>& text = language.entries().at(id - 1);
  if (id != kJobTitle) return text;
  return fillParameters(text, alphabet, {alphabet.glyphsOf(std::to_string(kLevels - kTrainingLevels))});
}

}  // namespace

void checkTitlesFit(const LanguageFile& language, const Alphabet& alphabet, const ScreenLayout& layout,
                    const Image& guiSheet, const ScreenSet& screen) {
  const TitleBar bar(layout, guiSheet, screen);
  const int blank = alphabet.glyphOf(U' ');
  const auto inked = [blank](int glyph) { return glyph != blank; };
  for (const TitleRun& run : kWindowTitles) {
    for (int id = run.first; id < run.first + run.count; ++id) {
      const std::vector<int> title = titleGlyphs(language, alphabet, id);
      const int length = static_cast<int>(title.size());
      const int firstInked = static_cast<int>(std::find_if(title.begin(), title.end(), inked) - title.begin());
      const int lastInked =
          length - 1 - static_cast<int>(std::find_if(title.rbegin(), title.rend(), inked) - title.rbegin());
      if (!bar.holds(length, firstInked, lastInked))
        throw std::runtime_error("text " + std::to_string(id) + ", a window title of " + std::to_string(length) +
                                 " glyphs, runs over the title bar's ornaments (" + std::to_string(bar.widestTitle()) +
                                 " glyphs fit between them)");
    }
  }
}

}  // namespace nv::demodata
