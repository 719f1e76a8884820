#include "gamelib/SoundManager.h"
#include "lang/DShort.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/gamelib/HostDouble.h"
#include "tests/projects/nvx/windows/WindowFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using qel::lang::DbyteArray;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;

class PointerTest : public WindowFixture {
protected:
  void openMenu(bool plain) {
    nvtest::writable(DialogWindow::plainList) = plain ? 1 : 0;
    DialogWindow::openListDialog(
        3, DialogWindow::kindList, nullptr, new DshortArray(3, 0, 190, 209, 199), nullptr, nullptr, nullptr, 128, 2);
    DialogWindow::selection = 1;
    nvtest::writable(DialogWindow::dialogDirty) = 0;
  }
  // The selection after a press at (x, y), or -1 when the press hit nothing.
  int hitAt(int x, int y) {
    DialogWindow::selection = -1;
    DialogWindow::dialogPointer(x, y);
    return DialogWindow::selection;
  }
};

TEST_F(PointerTest, APressHitsTheRowItLiesInWithinTwoPixelsBesideTheColumns) {
  for (bool touch : {false, true}) {
    SCOPED_TRACE(touch);
    nvtest::writable(GameState::touchInput) = touch ? 1 : 0;
    openMenu(false);
    const int row = touch ? DialogWindow::touchRowHeight : DialogWindow::lineHeight;
    const int left = DialogWindow::contentX, right = DialogWindow::contentX + DialogWindow::contentWidth;
    const int top = DialogWindow::contentY;
    struct Case {
      int x, y, item;
    } cases[] = {
        {left, top, 0},
        {left - 2, top, 0},
        {left - 3, top, -1},
        {right + 2, top, 0},
        {right + 3, top, -1},
        {left, top + row - 1, 0},
        {left, top + row, 1},
        {left, top + 3 * row - 1, 2},
        {left, top + 3 * row, -1},
        {left, top - 1, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(hitAt(c.x, c.y), c.item) << c.x << "," << c.y;
  }
}

TEST_F(PointerTest, AHitSelectsAndRepaintsAPlainListTakesNoHits) {
  openMenu(false);
  DialogWindow::dialogPointer(DialogWindow::contentX, DialogWindow::contentY + 2 * DialogWindow::lineHeight);
  EXPECT_EQ(DialogWindow::selection, 2);
  EXPECT_EQ(DialogWindow::dialogDirty, 1);

  openMenu(true);
  DialogWindow::dialogPointer(DialogWindow::contentX, DialogWindow::contentY);
  EXPECT_EQ(DialogWindow::selection, 1);
  EXPECT_EQ(DialogWindow::dialogDirty, 0);
}

TEST_F(PointerTest, RowsOfAScrolledListStartAtTheFirstShownItem) {
  nvtest::writable(DialogWindow::plainList) = 0;
  qel::lang::DshortArrayPtr items = new DshortArray(40);
  for (int i = 0; i < 40; ++i) items[i] = 190;
  DialogWindow::openListDialog(3, DialogWindow::kindList, nullptr, items, nullptr, nullptr, nullptr, 128, 2);
  DialogWindow::selection = 39;
  const int first = DialogWindow::firstShownItem();
  ASSERT_GT(first, 0);
  DialogWindow::dialogPointer(DialogWindow::contentX, DialogWindow::contentY);
  EXPECT_EQ(DialogWindow::selection, first);
}

TEST_F(PointerTest, APressOnAValueBarSetsTheValueFromItsPlace) {
  GameState::sounds = new gamelib::SoundManager();
  for (bool soundOn : {true, false}) {
    SCOPED_TRACE(soundOn);
    openOptionsWindow(soundOn, 4, 4);
    const int width = DialogWindow::contentWidth;
    const int barRow = DialogWindow::contentY + DialogWindow::itemRowHeight(0) + DialogWindow::lineHeight;
    struct Case {
      int x, value;
    } cases[] = {{DialogWindow::contentX - 2, 0},
                 {DialogWindow::contentX + width / 2, 4},
                 {DialogWindow::contentX + width, 8},
                 {DialogWindow::contentX + width + 2, 8}};
    for (const Case& c : cases) {
      DialogWindow::setItemValue(1, 4);
      DialogWindow::dialogPointer(c.x, barRow);
      EXPECT_EQ(DialogWindow::selection, 1);
      EXPECT_EQ(DialogWindow::itemValue(1), soundOn ? c.value : 4) << c.x;
      if (soundOn) {
        EXPECT_EQ(GameState::sounds->sfxVolume(), 8 * c.value);
      }
    }
  }
  GameState::sounds.release();
}

// The codes a press sends reach the canvas's key queue.
TEST_F(PointerTest, APressOnAScrollingTextSendsUpInItsUpperHalfAndDownInItsLowerHalf) {
  HostDouble host;
  host.clock.setAutoAdvance(1);
  qel::io::DArchive::close();
  host.app->startApp();
  ASSERT_TRUE(gamelib::ScreenCanvas::current());
  DialogWindow::openDialog(0, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 209);
  std::u16string text;
  for (int i = 0; i < 1500; ++i) text += (i % 5 == 4) ? u' ' : u'x';
  DialogWindow::bodyText = glyphs(text.c_str());
  DialogWindow::prepareDialog(0);
  ASSERT_EQ(DialogWindow::scrolls, 1);
  const int middle = DialogWindow::contentY + DialogWindow::visibleHeight / 2;
  struct Case {
    int x, y, code;
  } cases[] = {{DialogWindow::windowX, middle - 1, 38},
               {DialogWindow::windowX + DialogWindow::windowWidth, middle, 40},
               {DialogWindow::windowX - 1, middle - 1, 0},
               {DialogWindow::windowX + DialogWindow::windowWidth + 1, middle, 0}};
  for (const Case& c : cases) {
    gamelib::ScreenCanvas::clearQueue();
    gamelib::ScreenCanvas::lastKeyCode = 0;
    DialogWindow::dialogPointer(c.x, c.y);
    gamelib::ScreenCanvas::pumpKeyEvent();
    EXPECT_EQ(gamelib::ScreenCanvas::lastKeyCode, c.code) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace nvx
