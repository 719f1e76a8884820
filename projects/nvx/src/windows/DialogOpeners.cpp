#include "nvx/src/state/StateMachine.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

DshortArrayPtr DialogWindow::softKeysFor(int32_t count) {
  if (count > 1) return new DshortArray(2, 0, softKeyAccept, softKeyBack);
  return new DshortArray(1, 0, softKeyAccept);
}

void DialogWindow::openDialog(uint8_t id, const DbyteArrayPtr& titlePicture, int32_t textId,
                              const DObjectArrayPtr& params, const DshortArrayPtr& keys, int16_t titleTextId) {
  openMessageDialog2(id, titlePicture, textId, params, keys, titleTextId, nullptr);
}

void DialogWindow::openMessageDialog2(uint8_t id, const DbyteArrayPtr& titlePicture, int32_t textId,
                                      const DObjectArrayPtr& params, const DshortArrayPtr& keys, int16_t titleTextId,
                                      const DObjectArrayPtr& titleParams) {
  resetDialog();
  dialogId_ = id;
  softKeys = keys;
  if (titleParams)
    setDialogTitle(titleTextId, titleParams);
  else
    setDialogTitle(titleTextId);
  setDialogText(textId, params);
  titleIcons_ = titlePicture;
  StateMachine::enterDialog();
}

void DialogWindow::openListDialog(uint8_t id, uint8_t kind, const DbyteArrayPtr& titlePicture,
                                  const DshortArrayPtr& items, const DObjectArrayPtr& icons,
                                  const DObjectArrayPtr& params, const DbyteArrayPtr& toggles, int16_t titleTextId,
                                  int32_t softKeyCount) {
  const uint8_t keepPlainList = plainList;
  resetDialog();
  plainList_ = keepPlainList;
  dialogId_ = id;
  dialogKind_ = kind;
  noFrame_ = id == frameLessMenu ? 1 : 0;
  titleIcons_ = titlePicture;
  itemIds_ = items;
  itemIcons_ = icons;
  itemParams_ = params;
  if (toggles) {
    itemToggles_ = new DbyteArray(items ? items->length() : 0);
    for (int32_t i = 0; i < itemToggles->length() && i < toggles->length(); ++i) itemToggles->at(i) = toggles->at(i);
    hasToggles_ = 1;
  }
  setDialogTitle(titleTextId);
  softKeys = softKeysFor(softKeyCount);
  StateMachine::enterDialog();
}

void DialogWindow::openMenu(uint8_t id, const DbyteArrayPtr& titlePicture, const DshortArrayPtr& items,
                            const DshortArrayPtr& title, int32_t softKeyCount) {
  resetDialog();
  dialogId_ = id;
  dialogKind_ = kindList;
  noFrame_ = id == frameLessMenu ? 1 : 0;
  titleIcons_ = titlePicture;
  itemIds_ = items;
  titleText_ = title;
  softKeys = softKeysFor(softKeyCount);
  StateMachine::enterDialog();
}

void DialogWindow::openValueDialog(uint8_t id, const DbyteArrayPtr& titlePicture, const DshortArrayPtr& items,
                                   const DObjectArrayPtr& values, const DObjectArrayPtr& icons,
                                   const DbyteArrayPtr& checks, int16_t titleTextId, int32_t softKeyCount) {
  openListDialog(id, kindOptions, titlePicture, items, icons, values, checks, titleTextId, softKeyCount);
}

void DialogWindow::openValueMenu(uint8_t id, const DbyteArrayPtr& titlePicture, const DshortArrayPtr& items,
                                 const DObjectArrayPtr& values, const DObjectArrayPtr& icons,
                                 const DbyteArrayPtr& checks, int16_t titleTextId, int32_t softKeyCount) {
  plainList_ = 1;
  openValueDialog(id, titlePicture, items, values, icons, checks, titleTextId, softKeyCount);
}

}  // namespace nvx
