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
  dialogId_ = 0;
  dialogKind_ = kindText;
  titleText_.release();
  bodyText.release();
  titleIcons_.release();
  itemIds_.release();
  itemIcons_.release();
  itemParams_.release();
  itemToggles_.release();
  itemLines_.release();
  softKeys.release();
  hasToggles_ = 0;
  plainList_ = 0;
  noFrame_ = 0;
  result.release();
  lineHeight_ = 0;
  touchRowHeight_ = 0;
  titleHeight_ = 0;
  windowX_ = windowY_ = windowWidth_ = windowHeight_ = 0;
  contentX_ = contentY_ = contentWidth_ = 0;
  wrapChars_ = lineCount_ = visibleLines_ = visibleHeight_ = 0;
  scrolls_ = 0;
  selection = pageItems_ = codePosition = 0;
  titleIconX_ = titleIconY_ = titleTextX_ = titleTextY_ = 0;
  scrollBarX_ = scrollTrackHeight_ = 0;
  ready_ = 0;
  dialogDirty_ = 0;
}

void DialogWindow::setDialogText(int32_t textId, const DObjectArrayPtr& params) {
  bodyText = BitmapText::formatText(textId, params);
}

void DialogWindow::setDialogTitle(int32_t textId) { titleText_ = LanguageTexts::getText(textId); }

void DialogWindow::setDialogTitle(int32_t textId, const DObjectArrayPtr& params) {
  titleText_ = BitmapText::formatText(textId, params);
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
