#include <string>

#include "lang/DShort.h"
#include "tests/projects/nvx/windows/WindowFixture.h"

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
    MainCanvas::resetDialog();
    MainCanvas::titleText = glyphs(u"Ab");
    MainCanvas::bodyText = glyphs(text.c_str());
    MainCanvas::softKeys = new DshortArray(1, 0, 126);
    MainCanvas::prepareDialog(minChars);
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
    EXPECT_EQ(MainCanvas::scrolls, 0);
    EXPECT_EQ(MainCanvas::wrapChars, c.wrapChars);
    EXPECT_EQ(MainCanvas::contentWidth, 7 * c.wrapChars);
    EXPECT_EQ(MainCanvas::windowWidth,
              7 * c.wrapChars + 2 * MainCanvas::border + MainCanvas::leftInset + MainCanvas::rightInset);
    EXPECT_EQ(MainCanvas::lineCount, MainCanvas::countLines(MainCanvas::bodyText, c.wrapChars));
    EXPECT_EQ(MainCanvas::visibleLines, MainCanvas::lineCount);
    EXPECT_EQ(MainCanvas::visibleHeight, MainCanvas::visibleLines * MainCanvas::lineHeight);
  }
}

TEST_F(LayoutTest, ALongTextTakesTheAvailableWidthWithAScrollBarAndIsCentredAboveTheSoftKeyBar) {
  openText(wordsOf(1500));
  EXPECT_EQ(MainCanvas::scrolls, 1);
  EXPECT_EQ(MainCanvas::visibleLines, 26);
  EXPECT_EQ(MainCanvas::contentWidth, 30 * 7 - MainCanvas::scrollBarWidth);
  EXPECT_EQ(MainCanvas::wrapChars, 28);
  EXPECT_EQ(MainCanvas::lineCount, MainCanvas::countLines(MainCanvas::bodyText, 28));
  // 240 less the shadow and both screen margins, to a whole cell.
  EXPECT_EQ(MainCanvas::windowWidth, 224);
  EXPECT_EQ(MainCanvas::windowX, (240 - 224) / 2);
  const int bar = MainCanvas::softKeyBarHeight - MainCanvas::barOverlap;
  EXPECT_EQ(MainCanvas::windowY, (320 - bar - MainCanvas::windowHeight) / 2);
  EXPECT_EQ(MainCanvas::contentY,
            MainCanvas::windowY + MainCanvas::border + MainCanvas::topInset + MainCanvas::titleHeight);
  EXPECT_EQ(MainCanvas::scrollBarX, MainCanvas::windowX + 224 - MainCanvas::scrollBarWidth - MainCanvas::border - 1);
  EXPECT_GT(MainCanvas::scrollTrackHeight, 0);
}

TEST_F(LayoutTest, TheTitleWindowsUseTheScreenMarginsToo) {
  MainCanvas::dialogReturnState = MainCanvas::stateSplash;
  openText(wordsOf(1500));
  // Opened from the title screens only the shadow is kept free: 31 cells.
  EXPECT_EQ(MainCanvas::windowWidth, 31 * 7 - MainCanvas::scrollBarWidth + 14 + MainCanvas::scrollBarWidth);
  MainCanvas::dialogReturnState = MainCanvas::stateLanguage;
}

TEST_F(LayoutTest, MissingTextsOrItemsRaiseTheNullReference) {
  for (uint8_t kind : {MainCanvas::kindText, MainCanvas::kindList}) {
    MainCanvas::resetDialog();
    MainCanvas::titleText = glyphs(u"Ab");
    MainCanvas::dialogKind = kind;
    try {
      MainCanvas::prepareDialog(0);
      ADD_FAILURE() << "kind " << int(kind);
    } catch (const qel::lang::DExceptionBase& e) {
      EXPECT_EQ(e.code(), qel::lang::ExceptionCode::NullPointer);
    }
    EXPECT_EQ(MainCanvas::ready, 0);
  }
}

class ListLayoutTest : public LayoutTest {
protected:
  void openList(int count, bool plain) {
    DshortArrayPtr items = new DshortArray(count);
    for (int i = 0; i < count; ++i) items[i] = static_cast<int16_t>(190 + i % 3);
    MainCanvas::plainList = plain ? 1 : 0;
    MainCanvas::openListDialog(3, MainCanvas::kindList, nullptr, items, nullptr, nullptr, nullptr, 128, 2);
  }
};

TEST_F(ListLayoutTest, RowsAreOneLineHighUnlessTheyWrapAndTwiceThatOnATouchScreen) {
  openList(3, false);
  const int menuLine = 10 + MainCanvas::menuRowSpacing;
  EXPECT_EQ(MainCanvas::lineHeight, menuLine);
  EXPECT_EQ(MainCanvas::touchRowHeight, 0);
  EXPECT_EQ(MainCanvas::scrolls, 0);
  EXPECT_EQ(MainCanvas::visibleHeight, 3 * menuLine);
  EXPECT_EQ(MainCanvas::pageItems, 3);

  openList(3, true);
  EXPECT_EQ(MainCanvas::lineHeight, 10 + MainCanvas::plainRowSpacing);

  MainCanvas::touchInput = 1;
  openList(3, false);
  EXPECT_EQ(MainCanvas::touchRowHeight, 2 * menuLine);
  EXPECT_EQ(MainCanvas::visibleHeight, 3 * 2 * menuLine);
}

TEST_F(ListLayoutTest, ALongListScrollsAndShowsTheItemsThatFit) {
  openList(40, false);
  EXPECT_EQ(MainCanvas::scrolls, 1);
  EXPECT_EQ(MainCanvas::lineCount, 40);
  const int fit = MainCanvas::visibleLines;
  EXPECT_LT(fit, 40);
  EXPECT_EQ(MainCanvas::pageItems, fit);
  EXPECT_EQ(MainCanvas::visibleHeight, fit * MainCanvas::lineHeight);
  MainCanvas::selection = 39;
  EXPECT_EQ(MainCanvas::firstShownItem(), 40 - fit);
  MainCanvas::selection = 5;
  EXPECT_EQ(MainCanvas::firstShownItem(), 0);
}

// Touch rows are twice as high: a page holds half as many, so that a long
// list still fits above the soft-key bar.
TEST_F(ListLayoutTest, ALongListOfTouchRowsFitsTheScreen) {
  openList(40, false);
  const int mousePage = MainCanvas::pageItems;
  MainCanvas::touchInput = 1;
  openList(40, false);
  EXPECT_EQ(MainCanvas::scrolls, 1);
  EXPECT_EQ(MainCanvas::pageItems, MainCanvas::visibleLines / 2);
  EXPECT_LT(MainCanvas::pageItems, mousePage);
  EXPECT_LE(MainCanvas::windowY + MainCanvas::windowHeight,
            320 - (MainCanvas::softKeyBarHeight - MainCanvas::barOverlap));
  EXPECT_GE(MainCanvas::windowY, 0);
  MainCanvas::selection = 39;
  EXPECT_EQ(MainCanvas::firstShownItem(), 40 - MainCanvas::pageItems);
}

TEST_F(ListLayoutTest, ChecksAndItemPicturesWidenTheWindowAndMoveTheTextRight) {
  DObjectArrayPtr icons = new DObjectArray(2);
  icons[0] = new DbyteArray(2, 0, MainCanvas::spritePictureBox, 1);
  MainCanvas::openListDialog(29,
                             MainCanvas::kindOptions,
                             nullptr,
                             new DshortArray(2, 0, 47, 48),
                             icons,
                             nullptr,
                             new DbyteArray(2, 0, 1, 0),
                             46,
                             2);
  // The last item has no picture: the width is the last picture's.
  const int icon = MainCanvas::spriteTable[MainCanvas::spritePictureBox][2];
  const int pictures =
      MainCanvas::spriteTable[MainCanvas::checkBoxSprite][2] + MainCanvas::checkBoxGap + icon + MainCanvas::iconGap;
  EXPECT_EQ(MainCanvas::contentX, MainCanvas::windowX + MainCanvas::leftInset + MainCanvas::border + pictures);
  // The 38-pixel picture takes three rows of 16.
  EXPECT_EQ(MainCanvas::itemLines[0], 3);
  EXPECT_EQ(MainCanvas::itemLines[1], 1);
  EXPECT_EQ(MainCanvas::wrapChars, MainCanvas::charsForWidth(MainCanvas::contentWidth));
}

TEST_F(ListLayoutTest, ValueItemsTakeTwoLinesAndItemTextsWrapAtTheContentWidth) {
  DObjectArrayPtr values = new DObjectArray(2);
  DObjectArrayPtr value = new DObjectArray(1);
  value[0] = new qel::lang::DShort(4);
  values[1] = value;
  MainCanvas::openListDialog(4,
                             MainCanvas::kindOptions,
                             nullptr,
                             new DshortArray(2, 0, 212, -2),
                             nullptr,
                             values,
                             new DbyteArray(2, 0, 1, 1),
                             208,
                             1);
  EXPECT_EQ(MainCanvas::itemLines[1], 2);
  EXPECT_EQ(MainCanvas::visibleHeight, MainCanvas::itemRowHeight(0) + 2 * MainCanvas::lineHeight);
}

TEST_F(ListLayoutTest, RoundedDivisionRoundsHalvesUp) {
  struct Case {
    int pixels, chars;
  } cases[] = {{0, 0}, {3, 0}, {4, 1}, {7, 1}, {10, 1}, {11, 2}, {-4, 0}};
  for (const Case& c : cases) EXPECT_EQ(MainCanvas::charsForWidth(c.pixels), c.chars) << c.pixels;
}

}  // namespace
}  // namespace nvx
