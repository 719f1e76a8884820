#include "lang/DObjectArray.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

void DialogWindow::resetDialog() {
  dialogId = 0;
  dialogKind = kindText;
  titleText.release();
  bodyText.release();
  titleIcons.release();
  itemIds.release();
  itemIcons.release();
  itemParams.release();
  itemToggles.release();
  itemLines.release();
  softKeys.release();
  hasToggles = 0;
  plainList = 0;
  noFrame = 0;
  result.release();
  lineHeight = 0;
  touchRowHeight = 0;
  titleHeight = 0;
  windowX = windowY = windowWidth = windowHeight = 0;
  contentX = contentY = contentWidth = 0;
  wrapChars = lineCount = visibleLines = visibleHeight = 0;
  scrolls = 0;
  selection = pageItems = codePosition = 0;
  titleIconX = titleIconY = titleTextX = titleTextY = 0;
  scrollBarX = scrollTrackHeight = 0;
  ready = 0;
  dialogDirty = 0;
}

void DialogWindow::setDialogText(int32_t textId, const DObjectArrayPtr& params) {
  bodyText = BitmapText::formatText(textId, params);
}

void DialogWindow::setDialogTitle(int32_t textId) { titleText = LanguageTexts::getText(textId); }

void DialogWindow::setDialogTitle(int32_t textId, const DObjectArrayPtr& params) {
  titleText = BitmapText::formatText(textId, params);
}

DshortArrayPtr DialogWindow::getItemText(int32_t index) {
  const int32_t id = itemIds->at(index);
  if (id < 0) return new DshortArray(0);
  if (!itemParams) return LanguageTexts::getText(id);
  return BitmapText::formatText(id, qel::lang::dynamicPtrCast<DObjectArray>(itemParams->at(index)));
}

int32_t DialogWindow::getTitleIconHeight() {
  if (!titleIcons) return 0;
  return GameTables::spriteTable->at(titleIcons->at(0))->at(3) + titlePictureInset;
}

}  // namespace nvx
