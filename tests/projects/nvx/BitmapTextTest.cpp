#include <gtest/gtest.h>

#include "LanguageFileWriter.h"
#include "gamelib/LangInfo.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/text/TextState.h"
#include "tests/projects/gamelib/Pixels.h"
#include "tests/support/Writable.h"

using nvx::BitmapText;
using nvx::GameState;
using nvx::GameTables;
using nvx::LanguageTexts;
using nvx::MainCanvas;
using nvx::SpriteDrawing;
using nvx::SpriteRows;
using nvx::TextState;
using namespace qel::lang;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

namespace {

const std::string letters = " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.,!?_-{}0123456789$:;)";
constexpr int cell = 2;
constexpr int fontColumns = 16;
constexpr int fontGlyphs = 96;

// Glyph v of the test font is one solid colour.
uint32_t glyphColour(int v) {
  return through565(static_cast<uint32_t>((v % 32) * 8) << 16 | ((v / 32) * 16 + 64) << 8);
}

DImagePtr pictureOf(const std::vector<uint32_t>& pixels, int w, int h) {
  DImagePtr image = DImage::createImage(w, h);
  qel::lcdui::DGraphicsPtr g = image->getGraphics();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      g->setColor(pixels[y * w + x]);
      g->fillRect(x, y, 1, 1);
    }
  return image;
}

DshortArrayPtr glyphs(const std::string& text) { return LanguageTexts::stringToGlyphs(new DString(text.c_str())); }

std::string spelled(const DshortArrayPtr& row) {
  std::string out;
  for (int32_t i = 0; i < row->length(); ++i) {
    int v = row->at(i);
    out.push_back(v >= 0 && v < static_cast<int>(letters.size()) ? letters[v] : '#');
  }
  return out;
}

class BitmapTextTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    folder.addEntry("lang.dat", recordLines({"LANG=English", "ID=en"}));
    folder.addEntry("lng_en.dat",
                    LanguageFileWriter(0, letters)
                        .text(2, "Got {0} of {1}.")
                        .text(3, "{{0}")
                        .text(4, "{a} {-1}")
                        .text(5, "x{5}y{")
                        .text(6, "Name {0}")
                        .text(7, "Bob")
                        .text(264, "aeiou")
                        .bytes());
    folder.openArchive();
    GameState::languageIndex = 0;
    LanguageTexts::loadLanguage();
    nvtest::writable(GameState::screenWidth) = 40;
    nvtest::writable(GameState::screenHeight) = 12;
  }
  void TearDown() override {
    gamelib::LangInfo::releaseInstance();
    MainCanvas::releaseStatics();
    nvtest::writable(TextState::noSpaceWrap) = 0;
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::screenHeight) = 0;
    nvtest::writable(GameState::textCharWidth) = 7;
    nvtest::writable(GameState::textLineHeight) = 9;
  }

  // A font whose glyph frames are cell by cell squares of one colour each.
  void useTestFont() {
    nvtest::writable(GameState::textCharWidth) = cell;
    nvtest::writable(GameState::textLineHeight) = cell;
    int rows = fontGlyphs / fontColumns;
    std::vector<uint32_t> pixels(fontColumns * cell * rows * cell);
    for (int y = 0; y < rows * cell; ++y)
      for (int x = 0; x < fontColumns * cell; ++x)
        pixels[y * fontColumns * cell + x] = glyphColour((y / cell) * fontColumns + x / cell);
    GameState::pictures = new DObjectArray(8);
    GameState::pictures->at(0) = pictureOf(pixels, fontColumns * cell, rows * cell);
    auto font = GameTables::spriteTable->at(SpriteRows::fontSprite);
    font[2] = cell;
    font[3] = cell;
    font[4] = fontColumns;
  }

  // The glyph each cell of a line shows; '.' where nothing was drawn.
  std::string cellsOf(const DImagePtr& screen, int line, int cells) {
    ImagePixels pixels(screen);
    std::string out;
    for (int i = 0; i < cells; ++i) {
      uint32_t colour = pixels.at(i * cell, line * cell);
      char shown = '.';
      for (size_t v = 0; v < letters.size(); ++v)
        if (glyphColour(static_cast<int>(v)) == colour) shown = v == 0 ? '_' : letters[v];
      out.push_back(shown);
    }
    return out;
  }

  GameFolder folder;
};

TEST_F(BitmapTextTest, Placeholders) {
  DObjectArrayPtr numbers = new DObjectArray(2);
  numbers->at(0) = new DInteger(3);
  numbers->at(1) = new DInteger(5);
  DObjectArrayPtr withNull = new DObjectArray(2);
  withNull->at(1) = new DInteger(5);
  DObjectArrayPtr textAndGlyphs = new DObjectArray(2);
  textAndGlyphs->at(0) = new DShort(7);
  textAndGlyphs->at(1) = new DbyteArray(2, 0, 2, 9);
  struct Case {
    int id;
    DObjectArrayPtr params;
    const char* shown;
  };
  const Case cases[] = {
      {2, numbers, "Got 3 of 5."},
      {3, numbers, "{3"},
      {4, numbers, "{a} {-1}"},
      {5, numbers, "xy{"},
      {6, textAndGlyphs, "Name Bob"},
      {2, nullptr, "Got  of ."},
      {2, withNull, "Got  of 5."},
      {99, numbers, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(spelled(BitmapText::formatText(c.id, c.params)), c.shown) << c.id;
}

TEST_F(BitmapTextTest, LineCounts) {
  struct Case {
    const char* text;
    int cells;
    int lines;
  };
  const Case cases[] = {
      {"", 10, 0},
      {"short", 10, 1},
      {"hello world again", 10, 3},
      {"a_b", 10, 2},
      {"ab_", 10, 1},
      {"abcdefghijklmnopqrstuvwxyz", 10, 3},
      {"hello", 0, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(BitmapText::countLines(glyphs(c.text), c.cells), c.lines) << c.text;
}

TEST_F(BitmapTextTest, WordsBreakBySyllablesOnlyWhenLongerThanThree) {
  nvtest::writable(TextState::noSpaceWrap) = 1;
  struct Case {
    const char* text;
    int cells;
    int end;
    int hyphenCut;
  };
  const Case cases[] = {
      {"ab banana", 7, 5, 1},    // "ab ba-" / "nana"
      {"ab cat dog", 5, 3, -1},  // three letters: the line ends after the space
      {"abcdefgh", 5, 4, -1},    // no separator, no vowel pair: hard break at the width
  };
  for (const Case& c : cases) {
    nvtest::writable(TextState::hyphenCut) = -1;
    EXPECT_EQ(BitmapText::lineEnd(glyphs(c.text), 0, c.cells - 1, c.cells), c.end) << c.text;
    EXPECT_EQ(TextState::hyphenCut, c.hyphenCut) << c.text;
  }
}

TEST_F(BitmapTextTest, WrappedLinesAreJustifiedBrokenAndEndedAsLaidOut) {
  useTestFont();
  nvtest::writable(TextState::noSpaceWrap) = 1;
  struct Case {
    const char* text;
    int cells;
    std::vector<std::string> lines;  // cells drawn per line, '_' a space, '.' nothing
  };
  const Case cases[] = {
      // A line ending at a space spreads its words over the width; a full
      // line consumes its separator; the last line is not justified.
      {"ab cd efgh ij kl mn", 8, {"ab____cd_", "efgh__ij_", "kl_mn_..."}},
      // A line ended by the break glyph is not justified and does not draw
      // it; spare cells go to the first gap.
      {"ab cd_ef gh ij kl", 9, {"ab_cd_...", "ef__gh_ij", "kl_......"}},
      // A broken word ends its line with a hyphen at the last cell.
      {"ab banana", 7, {"ab__ba-..", "nana_...."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DImagePtr screen = DImage::createImage(GameState::screenWidth, GameState::screenHeight);
    qel::lcdui::DGraphicsPtr g = screen->getGraphics();
    g->setColor(0u);
    g->fillRect(0, 0, GameState::screenWidth, GameState::screenHeight);
    BitmapText::drawWrapped(g, glyphs(c.text), 0, 0, 0, c.cells, 4, cell);
    for (size_t line = 0; line < c.lines.size(); ++line)
      EXPECT_EQ(cellsOf(screen, static_cast<int>(line), 9), c.lines[line]) << line;
    EXPECT_EQ(cellsOf(screen, static_cast<int>(c.lines.size()), 9), ".........");
  }
}

TEST_F(BitmapTextTest, AGlyphHalfOffTheScreenShowsOnlyWithoutAClipBand) {
  useTestFont();
  // " abc" placed so that "c" covers the last screen column and one beyond.
  const uint32_t c = glyphColour(static_cast<int>(letters.find('c')));
  for (int band : {0, 1}) {
    DImagePtr screen = DImage::createImage(GameState::screenWidth, GameState::screenHeight);
    BitmapText::drawGlyphs(screen->getGraphics(), glyphs(" abc"), 33, 0, band ? 30 : 0, band ? 40 : 0);
    ImagePixels pixels(screen);
    EXPECT_EQ(pixels.at(39, 0) == c, band == 0) << band;
    EXPECT_EQ(pixels.at(37, 0), glyphColour(static_cast<int>(letters.find('b')))) << band;
  }
}

TEST_F(BitmapTextTest, SixteenBitTextsDrawOnlyTheGlyphsTheWideFontHas) {
  useTestFont();
  nvtest::writable(TextState::wideTexts) = 1;
  struct Case {
    std::vector<int16_t> text;
    std::vector<bool> drawn;
  };
  const Case cases[] = {
      {{57, 80, 93}, {true, true, true}},   // first and second class only
      {{57, 80, 5}, {false, true, false}},  // mixed: the first class is left out
      {{-1, 61, 94}, {false, false, false}},
  };
  for (const Case& c : cases) {
    DshortArrayPtr text = new DshortArray(static_cast<int32_t>(c.text.size()));
    for (size_t i = 0; i < c.text.size(); ++i) text->at(static_cast<int32_t>(i)) = c.text[i];
    DImagePtr screen = DImage::createImage(GameState::screenWidth, GameState::screenHeight);
    BitmapText::drawText(screen->getGraphics(), text, 0, 0);
    ImagePixels pixels(screen);
    for (size_t i = 0; i < c.text.size(); ++i)
      EXPECT_EQ(pixels.at(static_cast<int>(i) * cell, 0) == glyphColour(c.text[i]), c.drawn[i]) << c.text[i];
  }
  nvtest::writable(TextState::wideTexts) = 0;
}

TEST_F(BitmapTextTest, LevelRecordsAreFoundByTheirLengths) {
  folder.addEntry("m", DataBytes().s16(2).byte(1).byte(1).s16(3).byte(2).byte(2).byte(2).s16(1).byte(7));
  folder.openArchive();
  qel::io::DDataInputStreamPtr third = BitmapText::openLevelRecord(3);
  EXPECT_EQ(third->readByte(), 7);
  EXPECT_EQ(BitmapText::openLevelRecord(2)->readByte(), 2);
  const struct {
    int record;
    uint32_t code;
  } refused[] = {
      {0, ExceptionCode::IndexOutOfBounds}, {27, ExceptionCode::IndexOutOfBounds}, {5, ExceptionCode::EndOfFile}};
  for (const auto& r : refused) {
    try {
      BitmapText::openLevelRecord(r.record);
      ADD_FAILURE() << r.record;
    } catch (const DExceptionBase& e) {
      EXPECT_EQ(e.code(), r.code) << r.record;
    }
  }
}

TEST_F(BitmapTextTest, SpriteCutMarginsByPixels) {
  const int pw = 20, ph = 10;
  GameState::pictures = new DObjectArray(8);
  GameState::pictures->at(1) = pictureOf(sourcePicture(pw, ph), pw, ph);
  auto row = GameTables::spriteTable->at(3);
  const int16_t set[] = {4, 2, 5, 4, 2, 1};
  for (int i = 0; i < 6; ++i) row[i] = set[i];
  nvtest::writable(GameState::screenWidth) = 16;
  nvtest::writable(GameState::screenHeight) = 8;
  DImagePtr screen = DImage::createImage(16, 8);
  qel::lcdui::DGraphicsPtr g = screen->getGraphics();
  // Frame 3 lies at column 1, row 1: source (9, 6). Two columns lie left of
  // the screen, two rows below it, and one column is cut on the right.
  SpriteDrawing::drawSprite(g, 3, 3, -2, 6, 0, 1, 0, 0);
  ImagePixels pixels(screen);
  const uint32_t background = pixels.at(15, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      bool inside = x < 2 && y >= 6;
      uint32_t expected = inside ? through565(sourcePixel(9 + 2 + x, 6 + y - 6)) : background;
      EXPECT_EQ(pixels.at(x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(g->getClipWidth(), 2);
  EXPECT_EQ(g->getClipHeight(), 2);

  DImagePtr untouched = DImage::createImage(16, 8);
  SpriteDrawing::drawSprite(untouched->getGraphics(), 3, 0, -5, 0, 0, 0, 0, 0);
  SpriteDrawing::drawSprite(untouched->getGraphics(), 3, 0, 0, 8, 0, 0, 0, 0);
  EXPECT_EQ(ImagePixels(untouched).at(0, 0), background);
}

TEST_F(BitmapTextTest, FontWithoutFramesPerRowDrawsNothing) {
  useTestFont();
  GameTables::spriteTable->at(SpriteRows::fontSprite)[4] = 0;
  DImagePtr screen = DImage::createImage(40, 12);
  BitmapText::drawText(screen->getGraphics(), glyphs("ab"), 0, 0);
  BitmapText::drawText(screen->getGraphics(), nullptr, 0, 0);
  EXPECT_EQ(cellsOf(screen, 0, 4), "....");
}

}  // namespace
