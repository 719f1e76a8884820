#include "gamelib/StringManager.h"
#include "lang/DString.h"
#include "lang/TextCodec.h"
#include "tests/projects/nvx/screens/startup/SplashFixture.h"

namespace nvx {
namespace {

using gamelib::LangInfo;
using gamelib::ScreenCanvas;

class LanguageScreenTest : public SplashFixture {
protected:
  static void press(int32_t key) {
    MainCanvas::pendingKey = key;
    MainCanvas::updateLanguageScreen();
  }

  std::string storedLanguageId() const {
    std::ifstream in(folder_->user() / "langid", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  static std::string name(int32_t picture) {
    return qel::lang::toMultiByte(static_cast<qel::lang::DString*>(MainCanvas::pictureNames[picture].get())->view());
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
    MainCanvas::touchInput = c.touch;
    MainCanvas::layoutLanguageScreen();
    EXPECT_EQ(MainCanvas::langRowHeight, c.rowHeight);
    EXPECT_EQ(MainCanvas::langTitleHeight, font + 2);
    EXPECT_EQ(MainCanvas::langMargin, c.margin);
    EXPECT_EQ(MainCanvas::langPanelWidth, c.panelWidth);
    EXPECT_EQ(MainCanvas::langPanelX, (c.w - c.panelWidth) / 2);
    const int32_t panelHeight = std::max(c.h / 2, 2 * c.rowHeight + 10) + font + 2;
    EXPECT_EQ(MainCanvas::langPanelHeight, panelHeight);
    EXPECT_EQ(MainCanvas::langListTop, (c.h - panelHeight) / 2 + (panelHeight - 2 * c.rowHeight + font + 2) / 2);
    EXPECT_EQ(MainCanvas::langRowX, MainCanvas::langPanelX + 2 * c.margin);
    EXPECT_EQ(MainCanvas::langRowWidth, c.panelWidth - 4 * c.margin);
    EXPECT_EQ(MainCanvas::langNameWidth, ScreenCanvas::stringWidth(u"Deutsch"));
  }
}

TEST_F(LanguageScreenTest, UpAndDownWrapRoundTheList) {
  MainCanvas::languageIndex = 0;
  press('2');  // up
  EXPECT_EQ(MainCanvas::languageIndex, 1);
  press('8');  // down
  EXPECT_EQ(MainCanvas::languageIndex, 0);
  press('8');
  press('8');
  EXPECT_EQ(MainCanvas::languageIndex, 0);
  press('4');  // left: nothing
  EXPECT_EQ(MainCanvas::languageIndex, 0);
  EXPECT_EQ(MainCanvas::gameState, 254);
}

// Choosing twice names the alphabet picture from "abc" each time, stores
// the index and loads that language's text table.
TEST_F(LanguageScreenTest, ChoosingALanguageStoresItAndNamesItsFiles) {
  MainCanvas::enter(MainCanvas::stateLanguage);
  MainCanvas::saveOnExit = 0;
  MainCanvas::languageIndex = 1;
  press(MainCanvas::selectKey);
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateSplash);
  EXPECT_EQ(MainCanvas::saveOnExit, 1);
  EXPECT_EQ(name(0), "abc_de");
  EXPECT_EQ(storedLanguageId(), std::string("\0\0\0\1", 4));
  EXPECT_EQ(qel::lang::toMultiByte(MainCanvas::texts->getString(u"REGMSG_SUPPORT_EMAIL")->view()), "hilfe@nv.invalid");
  MainCanvas::loadPicture(0);
  EXPECT_TRUE(MainCanvas::pictures[0]);

  MainCanvas::languageIndex = 0;
  press('5');
  EXPECT_EQ(name(0), "abc_en");
  EXPECT_EQ(storedLanguageId(), std::string("\0\0\0\0", 4));
  EXPECT_EQ(qel::lang::toMultiByte(MainCanvas::texts->getString(u"REGMSG_SUPPORT_EMAIL")->view()), "help@nv.invalid");
}

TEST_F(LanguageScreenTest, IndexOutsideTheListChoosesTheFirstLanguage) {
  MainCanvas::languageIndex = 7;
  press(MainCanvas::selectKey);
  EXPECT_EQ(MainCanvas::languageIndex, 0);
  EXPECT_EQ(name(0), "abc_en");
  EXPECT_EQ(storedLanguageId(), std::string("\0\0\0\0", 4));
}

// A stored index the list does not have starts the screen on the first row.
TEST_F(LanguageScreenTest, StoredIndexOutsideTheListStartsAtTheFirst) {
  std::ofstream(folder_->user() / "langid", std::ios::binary) << std::string("\0\0\0\7", 4);
  LangInfo::releaseInstance();
  MainCanvas::init(new MainCanvas());
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateLanguage);
  EXPECT_EQ(MainCanvas::languageIndex, 0);
  EXPECT_GT(MainCanvas::langRowHeight, 0);
  MainCanvas::instance.release();
}

TEST_F(LanguageScreenTest, RowHitKeepsToTheRowsOfTheList) {
  MainCanvas::layoutLanguageScreen();
  const int32_t left = MainCanvas::langRowX, right = left + MainCanvas::langRowWidth;
  const int32_t top = MainCanvas::langListTop, row = MainCanvas::langRowHeight;
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
  for (const auto& c : cases) EXPECT_EQ(MainCanvas::languageRowAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(LanguageScreenTest, PaintsFlagsNamesAndThePulsingHighlight) {
  MainCanvas::layoutLanguageScreen();
  MainCanvas::languageIndex = 1;
  const qel::lcdui::DImagePtr picture = screen();
  MainCanvas::pulsePhase = 12;
  MainCanvas::paintLanguageScreen(picture->getGraphics());
  const int32_t rowTop = MainCanvas::langListTop + MainCanvas::langRowHeight;
  EXPECT_EQ(nvtest::pixel(picture, MainCanvas::langRowX + 1, rowTop + 1), 0x848484u);
  EXPECT_EQ(nvtest::pixel(picture, MainCanvas::langRowX, rowTop + 2), 0x000000u);
  EXPECT_EQ(nvtest::pixel(picture, 0, 0), 0x000000u);

  MainCanvas::pulsePhase = 0;
  MainCanvas::paintLanguageScreen(picture->getGraphics());
  EXPECT_EQ(nvtest::pixel(picture, MainCanvas::langRowX, rowTop + 2), 0xFFFFFFu);
  nvtest::dumpPng(picture, "language-screen");

  // Both flags stand at one x, left of the names.
  const int32_t w0 = LangInfo::languageFlag(0)->getWidth();
  const int32_t x =
      MainCanvas::langRowX + ((MainCanvas::langRowWidth - MainCanvas::langNameWidth - (w0 + w0 / 2)) >> 1);
  for (int32_t i = 0; i < 2; ++i) {
    const int32_t y = MainCanvas::langListTop + i * MainCanvas::langRowHeight + MainCanvas::langRowHeight / 2;
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
  MainCanvas::layoutLanguageScreen();
  EXPECT_EQ(MainCanvas::langRowHeight, ScreenCanvas::getFontHeight() + 6);
  const qel::lcdui::DImagePtr picture = screen();
  MainCanvas::paintLanguageScreen(picture->getGraphics());
  const int32_t nameX = MainCanvas::langRowX + ((MainCanvas::langRowWidth - MainCanvas::langNameWidth) >> 1);
  bool nameDrawn = false;
  for (int32_t x = nameX; x < nameX + MainCanvas::langNameWidth; ++x)
    for (int32_t y = MainCanvas::langListTop; y < MainCanvas::langListTop + MainCanvas::langRowHeight; ++y)
      nameDrawn |= nvtest::pixel(picture, x, y) != 0x848484u && nvtest::pixel(picture, x, y) != 0x000000u;
  EXPECT_TRUE(nameDrawn);
  for (int32_t x = MainCanvas::langRowX + 1; x < nameX; ++x)
    EXPECT_EQ(nvtest::pixel(picture, x, MainCanvas::langListTop + MainCanvas::langRowHeight / 2), 0x848484u) << x;
}

}  // namespace
}  // namespace nvx
