#include <string>

#include "lang/DShort.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/nvx/windows/WindowFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using qel::lang::DbyteArray;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

// A text of length letters in words of four and a space.
std::u16string wordsOf(int length) {
  std::u16string text;
  for (int i = 0; i < length; ++i) text += (i % 5 == 4) ? u' ' : u"abcd"[i % 5];
  return text;
}

class LayoutTest : public WindowFixture {
protected:
  // A text window titled "Ab" (the minimum box is 6 cells wide).
  void openText(const std::u16string& text, int minChars = 0) {
    DialogWindow::resetDialog();
    nvtest::writable(DialogWindow::titleText) = glyphs(u"Ab");
    DialogWindow::bodyText = glyphs(text.c_str());
    DialogWindow::softKeys = new DshortArray(1, 0, 126);
    DialogWindow::prepareDialog(minChars);
  }
};

// On 240 x 320 with the 7 x 9 font: 30 cells and 26 lines fit.
TEST_F(LayoutTest, ATextThatFitsGetsTheSmallestBoxGrownOneCellAndOneLineAtATime) {
  struct Case {
    int length, minChars, wrapChars;
  } cases[] = {
      {1, 0, 6},     // the minimum width: the title and its allowance
      {6, 0, 6},     // exactly one line of the minimum
      {7, 0, 7},     // (6 x 1) is too small, (7 x 2) holds it
      {20, 0, 8},    // (8 x 3)
      {100, 0, 13},  // (12 x 7) = 84 is too small, (13 x 8) holds it
      {10, 20, 20},  // a minimum width given by the opener
      {700, 0, 30},  // the width stops growing at 30 cells
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    openText(wordsOf(c.length), c.minChars);
    EXPECT_EQ(DialogWindow::scrolls, 0);
    EXPECT_EQ(DialogWindow::wrapChars, c.wrapChars);
    EXPECT_EQ(DialogWindow::contentWidth, 7 * c.wrapChars);
    EXPECT_EQ(DialogWindow::windowWidth,
              7 * c.wrapChars + 2 * DialogWindow::border + DialogWindow::leftInset + DialogWindow::rightInset);
    EXPECT_EQ(DialogWindow::lineCount, BitmapText::countLines(DialogWindow::bodyText, c.wrapChars));
    EXPECT_EQ(DialogWindow::visibleLines, DialogWindow::lineCount);
    EXPECT_EQ(DialogWindow::visibleHeight, DialogWindow::visibleLines * DialogWindow::lineHeight);
  }
}

TEST_F(LayoutTest, ALongTextTakesTheAvailableWidthWithAScrollBarAndIsCentredAboveTheSoftKeyBar) {
  openText(wordsOf(1500));
  EXPECT_EQ(DialogWindow::scrolls, 1);
  EXPECT_EQ(DialogWindow::visibleLines, 26);
  EXPECT_EQ(DialogWindow::contentWidth, 30 * 7 - DialogWindow::scrollBarWidth);
  EXPECT_EQ(DialogWindow::wrapChars, 28);
  EXPECT_EQ(DialogWindow::lineCount, BitmapText::countLines(DialogWindow::bodyText, 28));
  // 240 less the shadow and both screen margins, to a whole cell.
  EXPECT_EQ(DialogWindow::windowWidth, 224);
  EXPECT_EQ(DialogWindow::windowX, (240 - 224) / 2);
  const int bar = DialogWindow::softKeyBarHeight - DialogWindow::barOverlap;
  EXPECT_EQ(DialogWindow::windowY, (320 - bar - DialogWindow::windowHeight) / 2);
  EXPECT_EQ(DialogWindow::contentY,
            DialogWindow::windowY + DialogWindow::border + DialogWindow::topInset + DialogWindow::titleHeight);
  EXPECT_EQ(DialogWindow::scrollBarX,
            DialogWindow::windowX + 224 - DialogWindow::scrollBarWidth - DialogWindow::border - 1);
  EXPECT_GT(DialogWindow::scrollTrackHeight, 0);
}

TEST_F(LayoutTest, TheTitleWindowsUseTheScreenMarginsToo) {
  nvtest::writable(GameState::dialogReturnState) = StateMachine::stateSplash;
  openText(wordsOf(1500));
  // Opened from the title screens only the shadow is kept free: 31 cells.
  EXPECT_EQ(DialogWindow::windowWidth, 31 * 7 - DialogWindow::scrollBarWidth + 14 + DialogWindow::scrollBarWidth);
  nvtest::writable(GameState::dialogReturnState) = StateMachine::stateLanguage;
}

TEST_F(LayoutTest, MissingTextsOrItemsRaiseTheNullReference) {
  for (uint8_t kind : {DialogWindow::kindText, DialogWindow::kindList}) {
    DialogWindow::resetDialog();
    nvtest::writable(DialogWindow::titleText) = glyphs(u"Ab");
    nvtest::writable(DialogWindow::dialogKind) = kind;
    try {
      DialogWindow::prepareDialog(0);
      ADD_FAILURE() << "kind " << int(kind);
    } catch (const qel::lang::DExceptionBase& e) {
      EXPECT_EQ(e.code(), qel::lang::ExceptionCode::NullPointer);
    }
    EXPECT_EQ(DialogWindow::ready, 0);
  }
}

class ListLayoutTest : public LayoutTest {
protected:
  void openList(int count, bool plain) {
    DshortArrayPtr items = new DshortArray(count);
    for (int i = 0; i < count; ++i) items[i] = static_cast<int16_t>(190 + i % 3);
    nvtest::writable(DialogWindow::plainList) = plain ? 1 : 0;
    DialogWindow::openListDialog(3, DialogWindow::kindList, nullptr, items, nullptr, nullptr, nullptr, 128, 2);
  }
};

TEST_F(ListLayoutTest, RowsAreOneLineHighUnlessTheyWrapAndTwiceThatOnATouchScreen) {
  openList(3, false);
  const int menuLine = 10 + DialogWindow::menuRowSpacing;
  EXPECT_EQ(DialogWindow::lineHeight, menuLine);
  EXPECT_EQ(DialogWindow::touchRowHeight, 0);
  EXPECT_EQ(DialogWindow::scrolls, 0);
  EXPECT_EQ(DialogWindow::visibleHeight, 3 * menuLine);
  EXPECT_EQ(DialogWindow::pageItems, 3);

  openList(3, true);
  EXPECT_EQ(DialogWindow::lineHeight, 10 + DialogWindow::plainRowSpacing);

  nvtest::writable(GameState::touchInput) = 1;
  openList(3, false);
  EXPECT_EQ(DialogWindow::touchRowHeight, 2 * menuLine);
  EXPECT_EQ(DialogWindow::visibleHeight, 3 * 2 * menuLine);
}

TEST_F(ListLayoutTest, ALongListScrollsAndShowsTheItemsThatFit) {
  openList(40, false);
  EXPECT_EQ(DialogWindow::scrolls, 1);
  EXPECT_EQ(DialogWindow::lineCount, 40);
  const int fit = DialogWindow::visibleLines;
  EXPECT_LT(fit, 40);
  EXPECT_EQ(DialogWindow::pageItems, fit);
  EXPECT_EQ(DialogWindow::visibleHeight, fit * DialogWindow::lineHeight);
  DialogWindow::selection = 39;
  EXPECT_EQ(DialogWindow::firstShownItem(), 40 - fit);
  DialogWindow::selection = 5;
  EXPECT_EQ(DialogWindow::firstShownItem(), 0);
}

// Touch rows are twice as high: a page holds half as many, so that a long
// list still fits above the soft-key bar.
TEST_F(ListLayoutTest, ALongListOfTouchRowsFitsTheScreen) {
  openList(40, false);
  const int mousePage = DialogWindow::pageItems;
  nvtest::writable(GameState::touchInput) = 1;
  openList(40, false);
  EXPECT_EQ(DialogWindow::scrolls, 1);
  EXPECT_EQ(DialogWindow::pageItems, DialogWindow::visibleLines / 2);
  EXPECT_LT(DialogWindow::pageItems, mousePage);
  EXPECT_LE(DialogWindow::windowY + DialogWindow::windowHeight,
            320 - (DialogWindow::softKeyBarHeight - DialogWindow::barOverlap));
  EXPECT_GE(DialogWindow::windowY, 0);
  DialogWindow::selection = 39;
  EXPECT_EQ(DialogWindow::firstShownItem(), 40 - DialogWindow::pageItems);
}

TEST_F(ListLayoutTest, ChecksAndItemPicturesWidenTheWindowAndMoveTheTextRight) {
  DObjectArrayPtr icons = new DObjectArray(2);
  icons[0] = new DbyteArray(2, 0, SpriteRows::spritePictureBox, 1);
  DialogWindow::openListDialog(29,
                               DialogWindow::kindOptions,
                               nullptr,
                               new DshortArray(2, 0, 47, 48),
                               icons,
                               nullptr,
                               new DbyteArray(2, 0, 1, 0),
                               46,
                               2);
  // The last item has no picture: the width is the last picture's.
  const int icon = GameTables::spriteTable[SpriteRows::spritePictureBox][2];
  const int pictures = GameTables::spriteTable[DialogWindow::checkBoxSprite][2] + DialogWindow::checkBoxGap + icon +
                       DialogWindow::iconGap;
  EXPECT_EQ(DialogWindow::contentX, DialogWindow::windowX + DialogWindow::leftInset + DialogWindow::border + pictures);
  // The 38-pixel picture takes three rows of 16.
  EXPECT_EQ(DialogWindow::itemLines[0], 3);
  EXPECT_EQ(DialogWindow::itemLines[1], 1);
  EXPECT_EQ(DialogWindow::wrapChars, DialogWindow::charsForWidth(DialogWindow::contentWidth));
}

TEST_F(ListLayoutTest, ValueItemsTakeTwoLinesAndItemTextsWrapAtTheContentWidth) {
  DObjectArrayPtr values = new DObjectArray(2);
  DObjectArrayPtr value = new DObjectArray(1);
  value[0] = new qel::lang::DShort(4);
  values[1] = value;
  DialogWindow::openListDialog(4,
                               DialogWindow::kindOptions,
                               nullptr,
                               new DshortArray(2, 0, 212, -2),
                               nullptr,
                               values,
                               new DbyteArray(2, 0, 1, 1),
                               208,
                               1);
  EXPECT_EQ(DialogWindow::itemLines[1], 2);
  EXPECT_EQ(DialogWindow::visibleHeight, DialogWindow::itemRowHeight(0) + 2 * DialogWindow::lineHeight);
}

TEST_F(ListLayoutTest, RoundedDivisionRoundsHalvesUp) {
  struct Case {
    int pixels, chars;
  } cases[] = {{0, 0}, {3, 0}, {4, 1}, {7, 1}, {10, 1}, {11, 2}, {-4, 0}};
  for (const Case& c : cases) EXPECT_EQ(DialogWindow::charsForWidth(c.pixels), c.chars) << c.pixels;
}

}  // namespace
}  // namespace nvx
