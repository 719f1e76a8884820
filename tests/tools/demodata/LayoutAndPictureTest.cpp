#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <png.h>

#include "PngProbe.h"
#include "TestSupport.h"
#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/PixelFont.h"
#include "tools/demodata/lib/ScreenLayout.h"
#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata::test {
namespace {

const DemoData& demo() { return DemoData::get(); }

struct ResDat {
  std::array<int, 9> header{};
  std::vector<std::vector<int>> places, points, sprites, spots;
};

// Parses res.dat exactly as the game reads it: counts are signed bytes, rows from 0 upward.
ResDat parseResDat(const Bytes& bytes) {
  Reader r(bytes);
  ResDat res;
  for (int& b : res.header) b = r.s8();
  const auto group = [&](std::vector<std::vector<int>>& rows, bool ints) {
    const int n = r.s8();
    for (int i = 0; i < n; ++i) {
      const int m = r.s8();
      std::vector<int> row;
      for (int k = 0; k < m; ++k) row.push_back(ints ? r.s32() : r.s16());
      rows.push_back(row);
    }
  };
  group(res.places, true);
  group(res.points, false);
  group(res.sprites, false);
  group(res.spots, false);
  EXPECT_TRUE(r.atEnd());
  return res;
}

const ResDat& resDat(const std::string& folder = "240x320/") {
  static std::map<std::string, ResDat> parsed;
  auto it = parsed.find(folder);
  if (it == parsed.end()) it = parsed.emplace(folder, parseResDat(demo().entry(folder + "res.dat"))).first;
  return it->second;
}

PngFacts picture(const std::string& name) { return probePng(demo().entry(name)); }

TEST(ResDat, HeaderAndTableShapesFitTheGamesTables) {
  const ResDat& res = resDat();
  EXPECT_EQ(res.header, (std::array<int, 9>{2, 2, 24, 17, 19, 17, 5, 6, 9}));
  ASSERT_LE(res.places.size(), 9u);
  for (const auto& row : res.places) EXPECT_EQ(row.size(), 3u);
  ASSERT_LE(res.points.size(), 5u);
  for (const auto& row : res.points) EXPECT_EQ(row.size(), 2u);
  ASSERT_EQ(res.sprites.size(), 53u);
  for (const auto& row : res.sprites) EXPECT_EQ(row.size(), 6u);
  ASSERT_EQ(res.spots.size(), 7u) << "tap rectangles for the seven map spots";
  for (const auto& row : res.spots) {
    EXPECT_TRUE(!row.empty() && row.size() % 4 == 0);
    for (std::size_t i = 0; i < row.size(); i += 4) EXPECT_GT(row[i + 2] * row[i + 3], 0);
  }
}

TEST(ResDat, SpriteRowsKeepTheCellAndGlyphSizes) {
  const ResDat& res = resDat();
  const int cell = res.header[2];
  EXPECT_GE(cell, 12);
  for (int row : {0, 1, 2, 4}) {
    EXPECT_EQ(res.sprites[row][2], cell) << row;
    EXPECT_EQ(res.sprites[row][3], cell) << row;
  }
  EXPECT_EQ(res.sprites[43][2], res.header[7]);
  EXPECT_EQ(res.sprites[43][3], res.header[8]);
  for (int row = 0; row < 53; ++row)
    if (row != 43) {
      EXPECT_GE(res.sprites[row][4], 1) << "framesPerRow of row " << row;
    }
  // Derived values the game computes from the table must stay positive.
  EXPECT_GE(res.sprites[9][3] - res.sprites[38][3], 0);
  // The level bar places its "select a person" text row 44's width after the soft-key button (row 38).
  EXPECT_GE(res.sprites[44][2], res.sprites[38][2]);
}

TEST(Pictures, AllAreEightBitNonInterlacedPaletteOrRgbaPngs) {
  for (const auto& e : demo().set.entries()) {
    if (e.name.size() < 4 || e.name.substr(e.name.size() - 4) != ".png") continue;
    const PngFacts png = probePng(e.data);
    ASSERT_TRUE(png.ok) << e.name;
    EXPECT_EQ(png.bitDepth, 8) << e.name;
    EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE) << e.name;
    EXPECT_TRUE(png.colourType == PNG_COLOR_TYPE_PALETTE || png.colourType == PNG_COLOR_TYPE_RGBA) << e.name;
    if (png.colourType == PNG_COLOR_TYPE_PALETTE) {
      for (int alpha : png.transparencyAlphas) EXPECT_EQ(alpha, 0) << e.name << ": keyed, never partial";
    }
  }
}

// Frames each sprite row must hold (1 unless listed).
int framesOfRow(int row, int glyphs) {
  static const std::map<int, int> counts{{0, 20},
                                         {1, 200},
                                         {2, 20},
                                         {4, 96},
                                         {5, 7},
                                         {6, 2},
                                         {8, 12},
                                         {11, 6},
                                         {12, 2},
                                         {39, 3},
                                         {42, 5},
                                         {49, 5},
                                         {50, 4},
                                         {51, 4}};
  if (row == 43) return glyphs;
  const auto it = counts.find(row);
  return it == counts.end() ? 1 : it->second;
}

TEST(Pictures, EverySpriteFrameLiesInsideItsPictureOnEveryScreen) {
  const Bytes& lng = demo().entry("lng_en.dat");
  Reader r(lng);
  r.u8();
  const int glyphs = static_cast<int>(r.utf().size());
  for (const ScreenSet& screen : DataSet::screens()) {
    const std::string folder = screen.folder();
    const ResDat& res = resDat(folder);
    std::map<int, PngFacts> pictures{{0, picture(folder + "abc_en.png")}};
    for (int p = 1; p <= 6; ++p) pictures[p] = picture(folder + "pic" + std::to_string(p) + ".png");
    for (int row = 0; row < 53; ++row) {
      const auto& s = res.sprites[row];
      if (s[5] == 7) continue;  // the info picture takes its own size
      const PngFacts& png = pictures.at(s[5]);
      const int perRow = row == 43 ? static_cast<int>(png.width) / s[2] : s[4];
      ASSERT_GE(perRow, 1) << folder << " row " << row;
      const int frames = framesOfRow(row, glyphs);
      const int columns = std::min(frames, perRow), rows = (frames + perRow - 1) / perRow;
      EXPECT_LE(s[0] + columns * s[2], static_cast<int>(png.width)) << folder << " sprite row " << row;
      EXPECT_LE(s[1] + rows * s[3], static_cast<int>(png.height)) << folder << " sprite row " << row;
    }
  }
}

// Each screen's resolution file names its folder, which holds every picture and table of the
// 240 x 320 folder; enlarged sets hold them at their scale, pixel for pixel.
TEST(Pictures, EveryScreenHoldsEachPictureOfThe240x320Set) {
  const std::string base = "240x320/";
  for (const ScreenSet& screen : DataSet::screens()) {
    const Bytes& resolution = demo().entry(screen.name() + ".dat");
    EXPECT_EQ(std::string(resolution.begin(), resolution.end()), "PATH=" + screen.folder() + "\n");
    for (const auto& e : demo().set.entries()) {
      if (e.name.rfind(base, 0) != 0) continue;
      const std::string name = screen.folder() + e.name.substr(base.size());
      ASSERT_NE(demo().set.find(name), nullptr) << name;
      if (e.name.ends_with(".png") && screen.scale > 1) {
        const PngFacts small = picture(e.name), large = picture(name);
        ASSERT_EQ(large.width, small.width * screen.scale) << name;
        // The GUI sheet adds a strip below its enlarged part: the soft-key art at its painted size.
        if (e.name.ends_with("pic1.png"))
          ASSERT_GT(large.height, small.height * screen.scale) << name;
        else
          ASSERT_EQ(large.height, small.height * screen.scale) << name;
        const std::uint32_t x = small.width / 2, y = small.height / 2;
        for (int c = 0; c < 4; ++c)
          EXPECT_EQ(
              large.rgba[((y * screen.scale + screen.scale - 1) * large.width + x * screen.scale + screen.scale - 1) *
                             4 +
                         c],
              small.rgba[(y * small.width + x) * 4 + c])
              << name;
      }
    }
  }
}

TEST(Pictures, SheetSizesTheGameDerivesCountsFrom) {
  const PngFacts objects = picture("240x320/pic5.png"), persons = picture("240x320/pic6.png");
  EXPECT_EQ(objects.width, 8u * 24) << "sheets are exactly 8 cells wide";
  EXPECT_EQ(objects.width * objects.height / (24 * 24), 96u);
  EXPECT_EQ(persons.width, 8u * 24);
  EXPECT_EQ(persons.width * persons.height / (24 * 24), 200u);
  EXPECT_EQ(picture("240x320/pic2.png").width, static_cast<std::uint32_t>(resDat().sprites[7][2]));
  const PngFacts font = picture("240x320/abc_en.png");
  EXPECT_EQ(font.width % resDat().header[7], 0u);
  EXPECT_EQ(font.height % resDat().header[8], 0u);
}

// On every screen the space's cell is empty and each letter's inked; a descender ("g", glyph 33)
// reaches its cell's last row, and nothing of it (its shadow) the cell below ("w", glyph 49).
TEST(Pictures, GlyphFontCellOfTheSpaceIsEmptyAndLettersAreInked) {
  for (const ScreenSet& screen : DataSet::screens()) {
    SCOPED_TRACE(screen.name());
    const PngFacts font = picture(screen.folder() + "abc_en.png");
    const std::uint32_t w = resDat(screen.folder()).header[7], h = resDat(screen.folder()).header[8];
    const auto inkedRows = [&](int glyph, std::uint32_t from, std::uint32_t to) {
      const std::uint32_t x0 = (glyph % 16) * w, y0 = (glyph / 16) * h;
      for (std::uint32_t y = y0 + from; y < y0 + to; ++y)
        for (std::uint32_t x = x0; x < x0 + w; ++x)
          if (font.alphaAt(x, y) != 0) return true;
      return false;
    };
    EXPECT_FALSE(inkedRows(0, 0, h));
    for (int glyph = 1; glyph < 53; ++glyph) EXPECT_TRUE(inkedRows(glyph, 0, h)) << glyph;
    EXPECT_TRUE(inkedRows(33, h - 1, h));
    EXPECT_FALSE(inkedRows(49, 0, 1));
  }
}

TEST(GuiImageSet, EightOneFrameAnimationsOverFramesInsideThePicture) {
  const PngFacts png = picture("img/gui.png");
  const Bytes& bin = demo().entry("img/gui.bin");
  Reader r(bin);
  const int frames = r.s16();
  ASSERT_GE(frames, 8);
  for (int f = 0; f < frames; ++f) {
    const int x = r.s16(), y = r.s16(), w = r.s16(), h = r.s16();
    EXPECT_TRUE(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= static_cast<int>(png.width) &&
                y + h <= static_cast<int>(png.height))
        << "frame " << f;
  }
  const int animations = r.s16();
  ASSERT_GE(animations, 8);
  for (int a = 0; a < animations; ++a) {
    const int n = r.u16();
    ASSERT_EQ(n & 0x8000, 0);
    ASSERT_GE(n, 1);
    for (int k = 0; k < n; ++k) {
      const int parts = r.u8();
      ASSERT_EQ(parts & 0x80, 0) << "no reference frames";
      if (k == 0) {
        EXPECT_GE(parts, 1) << "frame 0 sets the box";
      }
      for (int p = 0; p < parts; ++p) {
        r.s16();
        r.s16();
        const int f = r.s16();
        EXPECT_LT(f & 0x7FFF, frames);
        EXPECT_EQ(r.u8(), 0) << "mask";
      }
    }
    EXPECT_EQ(r.u8(), 0) << "no named rectangles";
  }
  EXPECT_TRUE(r.atEnd());
}

TEST(ImageFont, GlyphTableMatchesItsPageAndStartsWithTheSpace) {
  const PngFacts page = picture("240x320/game_0.png");
  const Bytes& table = demo().entry("240x320/game_0");
  Reader r(table);
  const int count = r.u8();
  r.s8();
  int total = 0;
  for (int g = 0; g < count; ++g) {
    const std::u16string chars = r.utf();
    EXPECT_EQ(chars.size(), 1u);
    if (g == 0) {
      EXPECT_EQ(chars, u" ");
    }
    const int width = r.s8();
    EXPECT_TRUE(width >= 1 && width <= 127);
    total += width;
  }
  EXPECT_TRUE(r.atEnd());
  EXPECT_EQ(static_cast<std::uint32_t>(total), page.width);
  EXPECT_EQ(demo().set.find("240x320/game_1.png"), nullptr) << "pages stay consecutive";
}

// A copy of the layout sources with one line replaced.
class LayoutSource : public ::testing::Test {
protected:
  nvtest::TempFolder folder{"nv-demodata"};
  void SetUp() override {
    std::filesystem::copy(std::filesystem::path(NV_SOURCE_DIR) / "data/layout",
                          folder.path(),
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
  }
  void replace(const std::string& file, const std::string& from, const std::string& to) {
    std::ifstream in(folder / file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(folder / file, std::ios::trunc) << text;
  }
};

TEST_F(LayoutSource, RefusesASpriteFrameOutsideItsPicture) {
  const ScreenLayout good = ScreenLayout::load(folder.path());
  EXPECT_NO_THROW(good.checkFramesInside(1, 176, 192));
  replace("sprites.txt", "8      0    76   16   16  6  1  itemIcons", "8      0    170  16   16  6  1  itemIcons");
  const ScreenLayout bad = ScreenLayout::load(folder.path());
  try {
    bad.checkFramesInside(1, 176, 192);
    FAIL() << "the last item icon ends below the picture";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("sprites.txt:11: frame 11 of sprite row 8"), std::string::npos) << e.what();
  }
}

TEST_F(LayoutSource, RefusesAPlaceTextOutsideTheTexts) {
  for (const std::string& id : {std::string("0"), std::to_string(LanguageFile::kHighestTextId + 1)}) {
    SetUp();
    replace("map.txt", "place 0 95 106 242", "place 0 95 106 " + id);
    EXPECT_THROW(ScreenLayout::load(folder.path()), std::runtime_error) << id;
  }
}

// The info icon (title picture frame 6) stands alone in its frame: nothing of the portraits above it
// reaches in, so its top rows, above the disc, stay clear.
TEST(Pictures, TheInfoIconFrameHoldsNothingOfItsNeighbours) {
  const std::filesystem::path data = std::filesystem::path(NV_SOURCE_DIR) / "data";
  const ScreenLayout layout = ScreenLayout::load(data / "layout");
  const Image gui = paintGuiSheet(layout, PixelFont::load(data / "fonts/glyphs-5x8.txt"));
  const SpriteRow& box = layout.sprite("pictureBox");
  for (int x = 0; x < box.w; ++x)
    for (int y = 0; y < 4; ++y) EXPECT_EQ(gui.at(box.frameX(6) + x, box.frameY(6) + y).a, 0) << x << "," << y;
}

// A screen's own tables change rows of the shared ones by number and name; a row of another
// name is refused, naming its file and line.
TEST_F(LayoutSource, AScreensTablesReplaceRowsByNumberAndName) {
  const ScreenLayout base = ScreenLayout::load(folder.path());
  std::filesystem::create_directories(folder / "small");
  std::ofstream(folder / "small" / "sprites.txt") << "7 0 0 176 171 1 2 title\n";
  std::ofstream(folder / "small" / "screen.txt") << "barButtonX 3\n";
  const ScreenLayout small = ScreenLayout::loadOver(base, folder / "small");
  EXPECT_EQ(small.sprite("title").w, 176);
  EXPECT_EQ(small.sprite("bar").x, base.sprite("bar").x);
  EXPECT_EQ(small.header("barButtonX"), 3);
  EXPECT_EQ(small.header("cellSize"), base.cellSize());
  std::ofstream(folder / "small" / "sprites.txt") << "# moved\n8 0 0 176 171 1 2 title\n";
  try {
    ScreenLayout::loadOver(base, folder / "small");
    FAIL() << "row 8 is not the title";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("sprites.txt:2"), std::string::npos) << e.what();
  }
}

// The game's soft-key bar is 29 pixels high on every screen and its buttons stand 6 below its
// top: on every screen the button and its icons fit the bar, and the icons the button.
TEST(ResDat, SoftKeyButtonsFitTheBarOnEveryScreen) {
  constexpr int kBarHeight = 29, kButtonOffset = 6;
  for (const ScreenSet& screen : DataSet::screens()) {
    const ResDat& res = resDat(screen.folder());
    const auto &button = res.sprites[38], &icons = res.sprites[39];
    EXPECT_LE(kButtonOffset + button[3], kBarHeight) << screen.name();
    EXPECT_LE(icons[2], button[2]) << screen.name();
    EXPECT_LE(icons[3], button[3]) << screen.name();
  }
}

// On every screen the map persons stand and the cursor's places lie inside the map picture.
TEST(ResDat, MapPersonsAndPlacesLieInsideTheMapOnEveryScreen) {
  for (const ScreenSet& screen : DataSet::screens()) {
    const ResDat& res = resDat(screen.folder());
    const int mapWidth = res.sprites[7][2], mapHeight = res.sprites[7][3];
    for (int p = 1; p <= 4; ++p) {
      const auto& point = res.points[p];
      const auto& person = res.sprites[33 + p];
      EXPECT_LE(point[0] + person[2], mapWidth) << screen.name() << " person " << p;
      EXPECT_LE(point[1] + person[3], mapHeight) << screen.name() << " person " << p;
    }
    for (const auto& place : res.places) {
      EXPECT_GE(place[0], 0) << screen.name();
      EXPECT_LT(place[0], mapWidth) << screen.name();
      EXPECT_LT(place[1], mapHeight) << screen.name();
    }
    EXPECT_LE(mapWidth, screen.width) << screen.name();
  }
}

}  // namespace
}  // namespace nv::demodata::test
