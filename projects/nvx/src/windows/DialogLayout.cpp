#include <algorithm>

#include "gamelib/ScreenCanvas.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DintArray;

namespace {

int32_t roundedDivide(int32_t a, int32_t b) {
  if (b == 0) return 0;
  return a / b + (GameHelpers::roundsUp(a, b) ? 1 : 0);
}

int32_t frameWidth(int32_t set) { return GameTables::spriteTable->at(set)->at(2); }
int32_t frameHeight(int32_t set) { return GameTables::spriteTable->at(set)->at(3); }

DbyteArrayPtr iconOf(int32_t i) { return qel::lang::dynamicPtrCast<DbyteArray>(DialogWindow::itemIcons->at(i)); }

int32_t bottomBar() {
  return DialogWindow::dialogId == DialogWindow::frameLessMenu
             ? 0
             : DialogWindow::softKeyBarHeight - DialogWindow::barOverlap;
}

int32_t chromeHeight() {
  return DialogWindow::getTitleIconHeight() + 2 * DialogWindow::border + DialogWindow::bottomInset +
         DialogWindow::topInset + DialogWindow::titleHeight;
}

}  // namespace

int32_t DialogWindow::itemPictureWidth() {
  for (int32_t i = itemIcons->length() - 1; i >= 0; --i)
    if (DbyteArrayPtr icon = iconOf(i)) return frameWidth(icon->at(0));
  return 0;
}

int32_t DialogWindow::charsForWidth(int32_t pixels) { return roundedDivide(pixels, GameState::textCharWidth); }

int32_t DialogWindow::fittingLines() { return roundedDivide(availableHeight, lineHeight); }

void DialogWindow::prepareDialog(int32_t minChars) {
  gamelib::ScreenCanvas::resetKeys();
  dialogDirty_ = 0;
  int32_t availableWidth = GameState::screenWidth - shadowDepth;
  if (GameState::dialogReturnState != StateMachine::stateSplash) availableWidth -= screenMarginLeft + screenMarginRight;
  lineHeight_ = static_cast<uint8_t>(GameState::textLineHeight + GameState::textLineHeight / 5);
  titleHeight_ = lineHeight + titleInset;
  availableHeight_ = GameState::screenHeight - bottomBar() - screenMarginTop - screenMarginBottom - chromeHeight();
  windowWidth_ = minChars > 0 ? minChars : titleText->length() + titleWidthAllowance;
  if (dialogKind == kindText)
    layoutTextDialog(availableWidth);
  else
    layoutListDialog(availableWidth);
  if (titleIcons) {
    titleIconX_ = windowX + (windowWidth - frameWidth(titleIcons->at(0))) / 2;
    titleIconY_ = windowY + titleHeight + titlePictureInset;
  }
  titleTextX_ = windowX + (windowWidth - GameState::textCharWidth * titleText->length()) / 2;
  titleTextY_ = windowY + border + (titleHeight - GameState::textLineHeight) / 2;
  if (scrolls) {
    scrollBarX_ = windowX + windowWidth - scrollBarWidth - border - 1;
    scrollTrackHeight_ = visibleHeight - 2 * frameHeight(scrollPieceSprite);
  }
  ready_ = 1;
  dialogDirty_ = 1;
}

void DialogWindow::layoutTextDialog(int32_t availableWidth) {
  const int32_t maxChars =
      std::max(1, (availableWidth - 2 * border - rightInset - leftInset) / GameState::textCharWidth);
  const int32_t maxLines = std::max(1, fittingLines());
  const int32_t length = bodyText->length();
  wrapChars_ = maxChars;
  if (length <= maxLines * maxChars) {
    wrapChars_ = windowWidth;
    visibleLines_ = 1;
    for (;;) {
      wrapChars_ = std::min(wrapChars, maxChars);
      visibleLines_ = std::min(visibleLines, maxLines);
      if (length <= visibleLines * wrapChars || (wrapChars == maxChars && visibleLines == maxLines)) break;
      ++wrapChars_;
      ++visibleLines_;
    }
  }
  lineCount_ = BitmapText::countLines(bodyText, wrapChars);
  contentWidth_ = GameState::textCharWidth * wrapChars;
  if (lineCount > maxLines) {
    contentWidth_ -= scrollBarWidth;
    visibleLines_ = maxLines;
    wrapChars_ = charsForWidth(contentWidth);
    lineCount_ = BitmapText::countLines(bodyText, wrapChars);
    scrolls_ = 1;
  } else {
    scrolls_ = 0;
    visibleLines_ = lineCount;
  }
  windowWidth_ =
      std::min(contentWidth + 2 * border + rightInset + leftInset + (scrolls ? scrollBarWidth : 0), availableWidth);
  visibleHeight_ = lineHeight * visibleLines;
  windowHeight_ = chromeHeight() + visibleHeight;
  placeDialog();
}

void DialogWindow::layoutListDialog(int32_t availableWidth) {
  lineHeight_ = static_cast<uint8_t>(lineHeight + (plainList ? plainRowSpacing : menuRowSpacing));
  touchRowHeight_ = static_cast<uint8_t>(GameState::touchInput ? 2 * lineHeight : 0);
  const int32_t items = itemIds->length();
  itemLines_ = new DintArray(items);
  const int32_t pictureWidth =
      (hasToggles ? frameWidth(checkBoxSprite) + checkBoxGap : 0) + (itemIcons ? itemPictureWidth() + iconGap : 0);
  const int32_t pictureColumns = charsForWidth(rightInset + 2 * border + leftInset + pictureWidth);
  windowWidth_ += 2;
  for (int32_t i = 0; i < items; ++i)
    windowWidth_ = std::max(windowWidth, getItemText(i)->length() + pictureColumns + 1);
  windowWidth_ = std::min(GameState::textCharWidth * windowWidth, availableWidth);
  const int32_t textWidth = windowWidth - pictureColumns * GameState::textCharWidth;
  scrolls_ = 0;
  if (measureItems(textWidth) > fittingLines()) {
    scrolls_ = 1;
    measureItems(textWidth - GameState::textCharWidth);
  }
  lineCount_ = items;
  visibleLines_ = fittingLines();
  visibleHeight_ = 0;
  for (int32_t i = 0, lines = 0; i < items && lines < visibleLines; lines += rowLines(i), ++i)
    visibleHeight_ += itemRowHeight(i);
  windowHeight_ = chromeHeight() + visibleHeight;
  placeDialog();
  contentX_ += pictureWidth;
  contentWidth_ = textWidth - (scrolls ? GameState::textCharWidth : 0);
  wrapChars_ = charsForWidth(contentWidth);
  firstShownItem();
}

int32_t DialogWindow::measureItems(int32_t width) {
  const int32_t cells = charsForWidth(width);
  int32_t total = 0;
  for (int32_t i = 0; i < itemIds->length(); ++i) {
    int32_t lines = itemIds->at(i) >= 0 ? std::max(1, BitmapText::countLines(getItemText(i), cells)) : 2;
    if (itemIcons) {
      DbyteArrayPtr icon = iconOf(i);
      const int32_t pictureHeight = icon ? frameHeight(icon->at(0)) : 1;
      lines = std::max(lines, (pictureHeight + lineHeight - 1) / lineHeight);
    }
    itemLines->at(i) = lines;
    total += rowLines(i);
  }
  return total;
}

void DialogWindow::placeDialog() {
  windowX_ = (GameState::screenWidth - windowWidth) / 2;
  contentX_ = windowX + leftInset + border;
  windowY_ = (GameState::screenHeight - bottomBar() - windowHeight) / 2;
  contentY_ = windowY + border + topInset + titleHeight + getTitleIconHeight();
}

int32_t DialogWindow::itemRowHeight(int32_t i) {
  const int32_t lines = itemLines->at(i);
  if (lines == 1) return touchRowHeight ? touchRowHeight : lineHeight;
  return lineHeight * lines;
}

int32_t DialogWindow::rowLines(int32_t i) {
  const int32_t lines = itemLines->at(i);
  if (lines == 1 && touchRowHeight) return (touchRowHeight + lineHeight - 1) / lineHeight;
  return lines;
}

int32_t DialogWindow::firstShownItem() {
  const int32_t items = itemIds ? itemIds->length() : 0;
  if (!scrolls) {
    pageItems_ = items;
    return 0;
  }
  int32_t first = std::clamp(selection, 0, std::max(0, items - 1));
  for (int32_t lines = rowLines(first); first > 0 && lines + rowLines(first - 1) <= visibleLines;)
    lines += rowLines(--first);
  pageItems_ = 0;
  for (int32_t i = first, lines = 0; i < items && lines + rowLines(i) <= visibleLines; lines += rowLines(i), ++i)
    ++pageItems_;
  pageItems_ = std::max(pageItems, 1);
  return first;
}

}  // namespace nvx
