#include "gamelib/SoundManager.h"
#include "lang/DShort.h"
#include "tests/projects/gamelib/HostDouble.h"
#include "tests/projects/nvx/windows/WindowFixture.h"

namespace nvx {
namespace {

using qel::lang::DbyteArray;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;

class PointerTest : public WindowFixture {
protected:
  void openMenu(bool plain) {
    MainCanvas::plainList = plain ? 1 : 0;
    MainCanvas::openListDialog(
        3, MainCanvas::kindList, nullptr, new DshortArray(3, 0, 190, 209, 199), nullptr, nullptr, nullptr, 128, 2);
    MainCanvas::selection = 1;
    MainCanvas::dialogDirty = 0;
  }
  // The selection after a press at (x, y), or -1 when the press hit nothing.
  int hitAt(int x, int y) {
    MainCanvas::selection = -1;
    MainCanvas::dialogPointer(x, y);
    return MainCanvas::selection;
  }
};

TEST_F(PointerTest, APressHitsTheRowItLiesInWithinTwoPixelsBesideTheColumns) {
  for (bool touch : {false, true}) {
    SCOPED_TRACE(touch);
    MainCanvas::touchInput = touch ? 1 : 0;
    openMenu(false);
    const int row = touch ? MainCanvas::touchRowHeight : MainCanvas::lineHeight;
    const int left = MainCanvas::contentX, right = MainCanvas::contentX + MainCanvas::contentWidth;
    const int top = MainCanvas::contentY;
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
  MainCanvas::dialogPointer(MainCanvas::contentX, MainCanvas::contentY + 2 * MainCanvas::lineHeight);
  EXPECT_EQ(MainCanvas::selection, 2);
  EXPECT_EQ(MainCanvas::dialogDirty, 1);

  openMenu(true);
  MainCanvas::dialogPointer(MainCanvas::contentX, MainCanvas::contentY);
  EXPECT_EQ(MainCanvas::selection, 1);
  EXPECT_EQ(MainCanvas::dialogDirty, 0);
}

TEST_F(PointerTest, RowsOfAScrolledListStartAtTheFirstShownItem) {
  MainCanvas::plainList = 0;
  qel::lang::DshortArrayPtr items = new DshortArray(40);
  for (int i = 0; i < 40; ++i) items[i] = 190;
  MainCanvas::openListDialog(3, MainCanvas::kindList, nullptr, items, nullptr, nullptr, nullptr, 128, 2);
  MainCanvas::selection = 39;
  const int first = MainCanvas::firstShownItem();
  ASSERT_GT(first, 0);
  MainCanvas::dialogPointer(MainCanvas::contentX, MainCanvas::contentY);
  EXPECT_EQ(MainCanvas::selection, first);
}

TEST_F(PointerTest, APressOnAValueBarSetsTheValueFromItsPlace) {
  MainCanvas::sounds = new gamelib::SoundManager();
  for (bool soundOn : {true, false}) {
    SCOPED_TRACE(soundOn);
    openOptionsWindow(soundOn, 4, 4);
    const int width = MainCanvas::contentWidth;
    const int barRow = MainCanvas::contentY + MainCanvas::itemRowHeight(0) + MainCanvas::lineHeight;
    struct Case {
      int x, value;
    } cases[] = {{MainCanvas::contentX - 2, 0},
                 {MainCanvas::contentX + width / 2, 4},
                 {MainCanvas::contentX + width, 8},
                 {MainCanvas::contentX + width + 2, 8}};
    for (const Case& c : cases) {
      MainCanvas::setItemValue(1, 4);
      MainCanvas::dialogPointer(c.x, barRow);
      EXPECT_EQ(MainCanvas::selection, 1);
      EXPECT_EQ(MainCanvas::itemValue(1), soundOn ? c.value : 4) << c.x;
      if (soundOn) {
        EXPECT_EQ(MainCanvas::sounds->sfxVolume(), 8 * c.value);
      }
    }
  }
  MainCanvas::sounds.release();
}

// The codes a press sends reach the canvas's key queue.
TEST_F(PointerTest, APressOnAScrollingTextSendsUpInItsUpperHalfAndDownInItsLowerHalf) {
  HostDouble host;
  host.clock.setAutoAdvance(1);
  qel::io::DArchive::close();
  host.app->startApp();
  ASSERT_TRUE(gamelib::ScreenCanvas::current());
  MainCanvas::openDialog(0, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 209);
  std::u16string text;
  for (int i = 0; i < 1500; ++i) text += (i % 5 == 4) ? u' ' : u'x';
  MainCanvas::bodyText = glyphs(text.c_str());
  MainCanvas::prepareDialog(0);
  ASSERT_EQ(MainCanvas::scrolls, 1);
  const int middle = MainCanvas::contentY + MainCanvas::visibleHeight / 2;
  struct Case {
    int x, y, code;
  } cases[] = {{MainCanvas::windowX, middle - 1, 38},
               {MainCanvas::windowX + MainCanvas::windowWidth, middle, 40},
               {MainCanvas::windowX - 1, middle - 1, 0},
               {MainCanvas::windowX + MainCanvas::windowWidth + 1, middle, 0}};
  for (const Case& c : cases) {
    gamelib::ScreenCanvas::clearQueue();
    gamelib::ScreenCanvas::lastKeyCode = 0;
    MainCanvas::dialogPointer(c.x, c.y);
    gamelib::ScreenCanvas::pumpKeyEvent();
    EXPECT_EQ(gamelib::ScreenCanvas::lastKeyCode, c.code) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace nvx
