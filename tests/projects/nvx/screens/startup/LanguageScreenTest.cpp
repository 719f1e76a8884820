#include "gamelib/StringManager.h"
#include "lang/DString.h"
#include "lang/TextCodec.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/LanguageScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "tests/projects/nvx/screens/startup/SplashFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using gamelib::LangInfo;
using gamelib::ScreenCanvas;

class LanguageScreenTest : public SplashFixture {
protected:
  static void press(int32_t key) {
    GameState::pendingKey = key;
    LanguageScreen::updateLanguageScreen();
  }

  std::string storedLanguageId() const {
    std::ifstream in(folder_->user() / "langid", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  static std::string name(int32_t picture) {
    return qel::lang::toMultiByte(static_cast<qel::lang::DString*>(GameTables::pictureNames[picture].get())->view());
  }
};

TEST_F(LanguageScreenTest, WindowIsLaidOutForTheScreenFontAndFlags) {
  ASSERT_EQ(LangInfo::languageCount(), 2);
  const qel::lcdui::DImagePtr flag = LangInfo::languageFlag(0);
  ASSERT_TRUE(flag);
  const int32_t font = ScreenCanvas::getFontHeight();
  const int32_t row = std::max(font, flag->getHeight() >= font ? flag->getHeight() : 0) + 6;
  const struct {
    int32_t w, h;
    uint8_t touch;
    int32_t rowHeight, margin, panelWidth;
  } cases[] = {
      {240, 320, 0, row, 4, 180},
      {240, 320, 1, row * 5 / 3, 4, 180},
      {480, 640, 0, row, 4, 240},
      {176, 208, 0, row, 3, 132},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " touch " << int(c.touch));
    ScreenCanvas::screenWidth = c.w;
    ScreenCanvas::screenHeight = c.h;
    nvtest::writable(GameState::touchInput) = c.touch;
    LanguageScreen::layoutLanguageScreen();
    EXPECT_EQ(GameState::langRowHeight, c.rowHeight);
    EXPECT_EQ(GameState::langTitleHeight, font + 2);
    EXPECT_EQ(GameState::langMargin, c.margin);
    EXPECT_EQ(GameState::langPanelWidth, c.panelWidth);
    EXPECT_EQ(GameState::langPanelX, (c.w - c.panelWidth) / 2);
    const int32_t panelHeight = std::max(c.h / 2, 2 * c.rowHeight + 10) + font + 2;
    EXPECT_EQ(GameState::langPanelHeight, panelHeight);
    EXPECT_EQ(GameState::langListTop, (c.h - panelHeight) / 2 + (panelHeight - 2 * c.rowHeight + font + 2) / 2);
    EXPECT_EQ(GameState::langRowX, GameState::langPanelX + 2 * c.margin);
    EXPECT_EQ(GameState::langRowWidth, c.panelWidth - 4 * c.margin);
    EXPECT_EQ(GameState::langNameWidth, ScreenCanvas::stringWidth(u"Deutsch"));
  }
}

TEST_F(LanguageScreenTest, UpAndDownWrapRoundTheList) {
  GameState::languageIndex = 0;
  press('2');  // up
  EXPECT_EQ(GameState::languageIndex, 1);
  press('8');  // down
  EXPECT_EQ(GameState::languageIndex, 0);
  press('8');
  press('8');
  EXPECT_EQ(GameState::languageIndex, 0);
  press('4');  // left: nothing
  EXPECT_EQ(GameState::languageIndex, 0);
  EXPECT_EQ(GameState::gameState, 254);
}

// Choosing twice names the alphabet picture from "abc" each time, stores
// the index and loads that language's text table.
TEST_F(LanguageScreenTest, ChoosingALanguageStoresItAndNamesItsFiles) {
  StateMachine::enter(StateMachine::stateLanguage);
  GameState::saveOnExit = 0;
  GameState::languageIndex = 1;
  press(KeyInput::selectKey);
  EXPECT_EQ(GameState::gameState, StateMachine::stateSplash);
  EXPECT_EQ(GameState::saveOnExit, 1);
  EXPECT_EQ(name(0), "abc_de");
  EXPECT_EQ(storedLanguageId(), std::string("\0\0\0\1", 4));
  EXPECT_EQ(qel::lang::toMultiByte(GameState::texts->getString(u"REGMSG_SUPPORT_EMAIL")->view()), "hilfe@nv.invalid");
  SpriteDrawing::loadPicture(0);
  EXPECT_TRUE(GameState::pictures[0]);

  GameState::languageIndex = 0;
  press('5');
  EXPECT_EQ(name(0), "abc_en");
  EXPECT_EQ(storedLanguageId(), std::string("\0\0\0\0", 4));
  EXPECT_EQ(qel::lang::toMultiByte(GameState::texts->getString(u"REGMSG_SUPPORT_EMAIL")->view()), "help@nv.invalid");
}

TEST_F(LanguageScreenTest, IndexOutsideTheListChoosesTheFirstLanguage) {
  GameState::languageIndex = 7;
  press(KeyInput::selectKey);
  EXPECT_EQ(GameState::languageIndex, 0);
  EXPECT_EQ(name(0), "abc_en");
  EXPECT_EQ(storedLanguageId(), std::string("\0\0\0\0", 4));
}

// A stored index the list does not have starts the screen on the first row.
TEST_F(LanguageScreenTest, StoredIndexOutsideTheListStartsAtTheFirst) {
  std::ofstream(folder_->user() / "langid", std::ios::binary) << std::string("\0\0\0\7", 4);
  LangInfo::releaseInstance();
  MainCanvas::init(new MainCanvas());
  EXPECT_EQ(GameState::gameState, StateMachine::stateLanguage);
  EXPECT_EQ(GameState::languageIndex, 0);
  EXPECT_GT(GameState::langRowHeight, 0);
  MainCanvas::instance.release();
}

TEST_F(LanguageScreenTest, RowHitKeepsToTheRowsOfTheList) {
  LanguageScreen::layoutLanguageScreen();
  const int32_t left = GameState::langRowX, right = left + GameState::langRowWidth;
  const int32_t top = GameState::langListTop, row = GameState::langRowHeight;
  const struct {
    int32_t x, y, expected;
  } cases[] = {
      {left, top, 0},
      {right - 1, top + row - 1, 0},
      {left + 5, top + row, 1},
      {left + 5, top + 2 * row - 1, 1},
      {left + 5, top + 2 * row, -1},
      {left - 1, top, -1},
      {right, top, -1},
      {left + 5, top - row, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageScreen::languageRowAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(LanguageScreenTest, PaintsFlagsNamesAndThePulsingHighlight) {
  LanguageScreen::layoutLanguageScreen();
  GameState::languageIndex = 1;
  const qel::lcdui::DImagePtr picture = screen();
  nvtest::writable(GameState::pulsePhase) = 12;
  LanguageScreen::paintLanguageScreen(picture->getGraphics());
  const int32_t rowTop = GameState::langListTop + GameState::langRowHeight;
  EXPECT_EQ(nvtest::pixel(picture, GameState::langRowX + 1, rowTop + 1), 0x848484u);
  EXPECT_EQ(nvtest::pixel(picture, GameState::langRowX, rowTop + 2), 0x000000u);
  EXPECT_EQ(nvtest::pixel(picture, 0, 0), 0x000000u);

  nvtest::writable(GameState::pulsePhase) = 0;
  LanguageScreen::paintLanguageScreen(picture->getGraphics());
  EXPECT_EQ(nvtest::pixel(picture, GameState::langRowX, rowTop + 2), 0xFFFFFFu);
  nvtest::dumpPng(picture, "language-screen");

  // Both flags stand at one x, left of the names.
  const int32_t w0 = LangInfo::languageFlag(0)->getWidth();
  const int32_t x = GameState::langRowX + ((GameState::langRowWidth - GameState::langNameWidth - (w0 + w0 / 2)) >> 1);
  for (int32_t i = 0; i < 2; ++i) {
    const int32_t y = GameState::langListTop + i * GameState::langRowHeight + GameState::langRowHeight / 2;
    const qel::lcdui::DImagePtr flag = LangInfo::languageFlag(i);
    EXPECT_EQ(nvtest::pixel(picture, x + flag->getWidth() / 2, y),
              nvtest::pixel(flag, flag->getWidth() / 2, flag->getHeight() / 2))
        << i;
  }
}

// Without its flag picture the first language's row still shows its name;
// the flag counts as 0 wide and its height does not set the rows.
TEST_F(LanguageScreenTest, MissingFlagDrawsNothingAndTakesNoWidth) {
  openData("240x320/lang_en.png");
  ASSERT_FALSE(LangInfo::languageFlag(0));
  LanguageScreen::layoutLanguageScreen();
  EXPECT_EQ(GameState::langRowHeight, ScreenCanvas::getFontHeight() + 6);
  const qel::lcdui::DImagePtr picture = screen();
  LanguageScreen::paintLanguageScreen(picture->getGraphics());
  const int32_t nameX = GameState::langRowX + ((GameState::langRowWidth - GameState::langNameWidth) >> 1);
  bool nameDrawn = false;
  for (int32_t x = nameX; x < nameX + GameState::langNameWidth; ++x)
    for (int32_t y = GameState::langListTop; y < GameState::langListTop + GameState::langRowHeight; ++y)
      nameDrawn |= nvtest::pixel(picture, x, y) != 0x848484u && nvtest::pixel(picture, x, y) != 0x000000u;
  EXPECT_TRUE(nameDrawn);
  for (int32_t x = GameState::langRowX + 1; x < nameX; ++x)
    EXPECT_EQ(nvtest::pixel(picture, x, GameState::langListTop + GameState::langRowHeight / 2), 0x848484u) << x;
}

}  // namespace
}  // namespace nvx
