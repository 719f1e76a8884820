#include <string>

#include "lang/DShort.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/nvx/windows/WindowFixture.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using qel::lang::DbyteArray;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

constexpr uint32_t lastFrame = 0x204060;
constexpr uint32_t body = 0x8C8C8C;
constexpr uint32_t panel = 0xAEA79F;
constexpr uint32_t titleBar = 0x63767B;

class PaintingTest : public WindowFixture {
protected:
  void SetUp() override {
    WindowFixture::SetUp();
    screen_ = DImage::createImageOfFormat(240, 320, qel::raster::PF_ARGB8888);
    g_ = screen_->getGraphics();
    nvtest::writable(GameState::backImage) = DImage::createImageOfFormat(240, 320, qel::raster::PF_ARGB8888);
    nvtest::writable(StateMachine::backGraphics) = GameState::backImage->getGraphics();
    nvtest::writable(FrameClock::clockPhase) = 6;
    StateMachine::enter(StateMachine::stateMapScreen);
    fill(g_, lastFrame);
  }
  void TearDown() override {
    nvtest::writable(StateMachine::backGraphics).release();
    nvtest::writable(GameState::backImage).release();
    nvtest::writable(FrameClock::clockPhase) = 0;
    GameState::splashStep = 0;
    WindowFixture::TearDown();
  }

  static void fill(const DGraphicsPtr& g, uint32_t colour) {
    g->setClip(0, 0, 240, 320);
    g->setColor(colour);
    g->fillRect(0, 0, 240, 320);
  }
  void paint() { StateMachine::paint(g_); }
  uint32_t at(int x, int y) const { return nvtest::pixel(screen_, x, y); }

  void dump(const std::string& name) const { nvtest::dumpPng(screen_, name); }

  // Pixels of the colour in the rectangle.
  int count(int x, int y, int w, int h, uint32_t colour) const {
    int n = 0;
    for (int i = x; i < x + w; ++i)
      for (int j = y; j < y + h; ++j) n += at(i, j) == colour;
    return n;
  }

  void expectFramedWindow() const {
    const int x = DialogWindow::windowX, y = DialogWindow::windowY, w = DialogWindow::windowWidth,
              h = DialogWindow::windowHeight;
    const int b = DialogWindow::border, t = DialogWindow::titleHeight;
    EXPECT_EQ(at(x + 1, y + h / 2), body);
    EXPECT_EQ(at(x + b + 1, y + b + t - 2), titleBar);
    EXPECT_EQ(at(DialogWindow::contentX - 1, DialogWindow::contentY + 1), panel);
    // The drop shadow beside the right edge, the kept frame beyond it.
    for (int i = 0; i < DialogWindow::shadowDepth; ++i) EXPECT_EQ(at(x + w + i, y + h / 2), 0u) << i;
    EXPECT_EQ(at(x + w + DialogWindow::shadowDepth, y + h / 2), lastFrame);
    EXPECT_EQ(at(1, 1), lastFrame);
  }

  DImagePtr screen_;
  DGraphicsPtr g_;
};

TEST_F(PaintingTest, ATextWindowOverTheKeptFrame) {
  DialogWindow::openDialog(
      21, new DbyteArray(2, 0, SpriteRows::spritePictureBox, 6), 1, nullptr, new DshortArray(1, 0, 126), 210);
  paint();
  dump("window-text");
  expectFramedWindow();
  EXPECT_EQ(DialogWindow::scrolls, 0);
  // The title picture's frame lies between the title bar and the text.
  EXPECT_GT(DialogWindow::contentY,
            DialogWindow::titleIconY + GameTables::spriteTable[SpriteRows::spritePictureBox][3] - 1);
  EXPECT_NE(count(DialogWindow::titleIconX, DialogWindow::titleIconY, 35, 38, panel), 35 * 38);
  // One soft key: the bar registers the left button only.
  EXPECT_GT(GameTables::hotZones[4][1], GameTables::hotZones[4][0]);
  EXPECT_EQ(GameTables::hotZones[5][1], 0);
  EXPECT_NE(at(120, 318), lastFrame);
  EXPECT_EQ(DialogWindow::dialogDirty, 0);

  // The kept frame stays: the next frame paints the window over it again,
  // and so does a window opened from this one.
  fill(g_, 0xFF00FF);
  paint();
  EXPECT_EQ(at(1, 1), lastFrame);
  DialogWindow::openDialog(42, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 135);
  fill(g_, 0xFF00FF);
  paint();
  EXPECT_EQ(at(1, 1), lastFrame);
}

TEST_F(PaintingTest, AScrollingTextShowsItsArrowsWhereMoreLies) {
  DialogWindow::openDialog(0, nullptr, 8, nullptr, new DshortArray(2, 0, 126, 127), 209);
  std::u16string text;
  for (int i = 0; i < 1500; ++i) text += (i % 6 == 5) ? u' ' : u"vault"[i % 6 % 5];
  DialogWindow::bodyText = glyphs(text.c_str());
  DialogWindow::prepareDialog(0);
  ASSERT_EQ(DialogWindow::scrolls, 1);
  const uint32_t grey = 0x7F7F7F;  // phase 6
  const int x = DialogWindow::scrollBarX;
  const int bottom = DialogWindow::contentY + DialogWindow::visibleHeight -
                     GameTables::spriteTable[DialogWindow::scrollPieceSprite][3];
  paint();
  EXPECT_NE(at(x, DialogWindow::contentY), grey);
  EXPECT_EQ(at(x, bottom), grey);
  // Two soft keys: the right one is zone 5.
  EXPECT_GT(GameTables::hotZones[5][1], GameTables::hotZones[5][0]);

  DialogWindow::textDialogKey(9);
  paint();
  EXPECT_EQ(at(x, DialogWindow::contentY), grey);
  EXPECT_EQ(at(x, bottom), grey);
  dump("window-text-scrolled");

  DialogWindow::selection = DialogWindow::lineCount - DialogWindow::visibleLines;
  paint();
  EXPECT_EQ(at(x, DialogWindow::contentY), grey);
  EXPECT_NE(at(x, bottom), grey);
  // The thumb sits at the bottom of the track.
  const int trackBottom = bottom - 1;
  EXPECT_EQ(at(x + DialogWindow::scrollBarWidth / 2, trackBottom - 1), titleBar);
}

TEST_F(PaintingTest, AListWithPersonIconsAndThePulsingSelection) {
  DObjectArrayPtr icons = new DObjectArray(4);
  for (int id = 1; id <= 4; ++id) icons[id - 1] = new DbyteArray(2, 0, SpriteRows::spritePersonIcon, id);
  DialogWindow::openListDialog(
      29, DialogWindow::kindList, nullptr, new DshortArray(4, 0, 47, 48, 49, 45), icons, nullptr, nullptr, 46, 2);
  DialogWindow::selection = 1;
  paint();
  dump("window-list-icons");
  expectFramedWindow();
  // The pulsing box around the selected row, none around the others.
  const uint32_t grey = 0x7F7F7F;
  const int row = DialogWindow::lineHeight;
  const int left = DialogWindow::contentX - 2;
  EXPECT_EQ(at(left, DialogWindow::contentY + row + row / 2), grey);
  EXPECT_NE(at(left, DialogWindow::contentY + row / 2), grey);
  // Each row shows its person's icon left of the text.
  const int iconX = DialogWindow::windowX + DialogWindow::leftInset;
  for (int i = 0; i < 4; ++i)
    EXPECT_LT(count(iconX, DialogWindow::contentY + i * row, 15, 16, panel), 15 * 16 / 2) << i;
}

// The jail list is a plain value list whose pictures are the persons' icons, not outline shapes.
TEST_F(PaintingTest, AValueListOfPersonsShowsTheirIcons) {
  DObjectArrayPtr icons = new DObjectArray(2);
  DObjectArrayPtr values = new DObjectArray(2);
  for (int i = 0; i < 2; ++i) {
    icons[i] = new DbyteArray(2, 0, SpriteRows::spritePersonIcon, i + 1);
    values[i] = new DObjectArray(1);
  }
  DialogWindow::openValueMenu(29, nullptr, new DshortArray(2, 0, 47, 48), values, icons, nullptr, 46, 2);
  paint();
  dump("window-value-list-persons");
  const int iconX = DialogWindow::windowX + DialogWindow::leftInset;
  // Both icons fill the picture column: few panel pixels are left in it.
  const int column = DialogWindow::visibleHeight;
  EXPECT_LT(count(iconX, DialogWindow::contentY, 15, column, panel), 15 * column - 2 * 15 * 14);
}

TEST_F(PaintingTest, TheOptionsWindowWithChecksAndValueBars) {
  openOptionsWindow(true, 2, 8);
  DialogWindow::selection = 1;
  paint();
  dump("window-options");
  expectFramedWindow();
  const int x = DialogWindow::contentX, w = DialogWindow::contentWidth, lh = DialogWindow::lineHeight;
  const int effectsBar = DialogWindow::contentY + DialogWindow::itemRowHeight(0) + lh;
  const int musicBar = effectsBar + 2 * lh;
  // The selected bar is outlined white, the other in grey brown.
  EXPECT_EQ(at(x - 1, effectsBar + 2), 0xFFFFFFu);
  EXPECT_EQ(at(x - 1, musicBar + 2), 0x736D65u);
  // 2 of 8 and 8 of 8 filled.
  const int fillWidth = w - 4;
  EXPECT_EQ(at(x + 1 + fillWidth * 2 / 8 - 1, effectsBar + 2), titleBar);
  EXPECT_EQ(at(x + 1 + fillWidth * 2 / 8 + 1, effectsBar + 2), panel);
  EXPECT_EQ(at(x + 1 + fillWidth - 1, musicBar + 2), titleBar);
  // The sound switch's check box is ticked.
  const int checkX = DialogWindow::windowX + DialogWindow::leftInset;
  EXPECT_NE(at(checkX + 3, DialogWindow::contentY + 4), panel);
}

// Over the title screen the splash left in the back image.
TEST_F(PaintingTest, TheMainMenuHasNoFrameAndArrowsBesideItsSelection) {
  GameState::splashStep = 26;
  StateMachine::enter(StateMachine::stateSplash);
  nvtest::writable(GameState::dialogReturnState) = StateMachine::stateSplash;
  DialogWindow::openMenu(
      22, nullptr, new DshortArray(7, 0, 200, 208, 209, 210, 203, 202, 211), LanguageTexts::getText(129), 1);
  DialogWindow::selection = 2;
  // The demo data has no overlay picture; a plain one stands in.
  GameState::rateImage = DImage::createImage(30, 20);
  fill(GameState::rateImage->getGraphics(), 0xC0C000);
  fill(StateMachine::backGraphics, lastFrame);
  StateMachine::paint(g_);
  dump("window-main-menu");
  // The menu's overlay picture in the top right corner.
  const int rateWidth = GameState::rateImage->getWidth(), rateHeight = GameState::rateImage->getHeight();
  EXPECT_LT(count(240 - rateWidth, 0, rateWidth, rateHeight, lastFrame), rateWidth * rateHeight);
  EXPECT_EQ(count(0, 0, 240 - rateWidth, rateHeight, lastFrame), (240 - rateWidth) * rateHeight);
  GameState::rateImage.release();
  // Each frame shows the title screen as the back image holds it now.
  constexpr uint32_t newTitle = 0x603010;
  fill(StateMachine::backGraphics, newTitle);
  StateMachine::paint(g_);
  EXPECT_EQ(at(120, 318), newTitle);
  fill(StateMachine::backGraphics, lastFrame);
  StateMachine::paint(g_);

  // No frame, no title bar, no soft-key bar: the title picture shows.
  const uint32_t title = nvtest::pixel(GameState::backImage, DialogWindow::windowX + 1, DialogWindow::windowY + 1);
  EXPECT_EQ(at(DialogWindow::windowX + 1, DialogWindow::windowY + 1), title);
  EXPECT_EQ(count(0, 0, 240, 320, body), 0);
  EXPECT_EQ(count(0, 0, 240, 320, titleBar), 0);
  EXPECT_EQ(at(120, 318), lastFrame);
  EXPECT_EQ(GameTables::hotZones[4][1], 0);

  // The arrows move with the clock.
  const int row = DialogWindow::contentY + 2 * DialogWindow::lineHeight;
  auto arrowColumns = [&] {
    std::string columns;
    for (int x = 0; x < DialogWindow::contentX; ++x) {
      bool drawn = false;
      for (int y = row - 8; y < row + DialogWindow::lineHeight + 4; ++y)
        drawn |= at(x, y) != nvtest::pixel(GameState::backImage, x, y);
      columns += drawn ? '#' : '.';
    }
    return columns;
  };
  const std::string atPhase6 = arrowColumns();
  nvtest::writable(FrameClock::clockPhase) = 0;
  StateMachine::paint(g_);
  EXPECT_NE(arrowColumns(), atPhase6);
  EXPECT_NE(atPhase6.find('#'), std::string::npos);
}

TEST_F(PaintingTest, NothingIsPaintedBeforeTheLayout) {
  DialogWindow::resetDialog();
  StateMachine::enter(StateMachine::stateDialog);
  StateMachine::paint(g_);
  EXPECT_EQ(count(0, 0, 240, 320, lastFrame), 240 * 320);
}

}  // namespace
}  // namespace nvx
