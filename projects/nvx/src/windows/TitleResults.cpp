#include "gamelib/GameLib.h"
#include "gamelib/StringManager.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "lang/DshortArray.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::lang::DStringPtr;

namespace {

// The chosen item of a list, -1 for any other result.
int32_t chosenItem() {
  const auto* item = dynamic_cast<const qel::lang::DShort*>(MainCanvas::result.get());
  return item ? item->shortValue() : -1;
}

// Whether a text window was closed with its first soft key.
bool accepted() {
  const auto* text = dynamic_cast<const qel::lang::DString*>(MainCanvas::result.get());
  return text && text->equals(u"126");
}

DshortArrayPtr oneKey() { return MainCanvas::softKeysFor(1); }

void openNewGameQuestion() {
  MainCanvas::openMenu(27, nullptr, new DshortArray(2, 0, 193, 194), MainCanvas::getText(130), 2);
}

void openDifficultyChoice() {
  MainCanvas::openMenu(37, nullptr, new DshortArray(4, 0, 201, 195, 196, 197), MainCanvas::getText(198), 2);
}

void openAbout() {
  DStringPtr address;
  if (MainCanvas::texts) address = MainCanvas::texts->getString(new qel::lang::DString(u"REGMSG_SUPPORT_EMAIL"));
  DObjectArrayPtr params = new DObjectArray(2);
  params->at(0) = gamelib::GameLib::getVersion();
  params->at(1) = address;
  MainCanvas::openDialog(MainCanvas::infoId, nullptr, 144, params, oneKey(), 202);
}

bool mainMenuResult() {
  switch (chosenItem()) {
    case 200:
      if (MainCanvas::saveExists) {
        openNewGameQuestion();
      } else {
        openDifficultyChoice();
      }
      return true;
    case 203: MainCanvas::showBestResultsMenu(); return true;
    case 208: MainCanvas::showSoundOptions(); return true;
    case 209: MainCanvas::openDialog(0, nullptr, 8, nullptr, oneKey(), 135); return true;
    case 210: MainCanvas::showInfoText(); return true;
    case 202: openAbout(); return true;
    case 301: MainCanvas::showInfoPicture(); return true;
    case 211:
      // Quitting from the menu keeps the stored level in progress as it is.
      MainCanvas::saveOnExit = 0;
      gamelib::GameLib::exitApp();
      return true;
    default: return false;
  }
}

bool newGameResult() {
  switch (chosenItem()) {
    case 193:
      MainCanvas::loadGame();
      MainCanvas::loadLevelState();
      MainCanvas::pendingTransition = 3;
      return true;
    case 194: openDifficultyChoice(); return true;
    default: return false;
  }
}

bool difficultyResult() {
  switch (chosenItem()) {
    case 201: MainCanvas::difficulty = -1; break;
    case 195: MainCanvas::difficulty = 0; break;
    case 196: MainCanvas::difficulty = 1; break;
    case 197: MainCanvas::difficulty = 2; break;
    default: return false;
  }
  MainCanvas::restartGame();
  return true;
}

bool bestResultsMenuResult() {
  if (!MainCanvas::result) {
    MainCanvas::showMainMenu();
    return true;
  }
  switch (chosenItem()) {
    case 214: MainCanvas::showBestResults(-1); return true;
    case 215:
      MainCanvas::resetBestResults();
      MainCanvas::showBestResults(-1);
      return true;
    case 216: MainCanvas::pendingTransition = 4; return true;
    default: return false;
  }
}

void startUpAnswer() {
  if (accepted() && MainCanvas::sounds) {
    MainCanvas::sounds->setEnabled(true);
    MainCanvas::sounds->play(MainCanvas::titleMusic, true, 0);
  }
  MainCanvas::afterSplash();
}

}  // namespace

bool DialogResults::titleDialogResult() {
  switch (MainCanvas::dialogId) {
    case MainCanvas::soundOptionsId:
      if (MainCanvas::result) MainCanvas::saveOptions();
      MainCanvas::showMainMenu();
      return true;
    case MainCanvas::infoId: MainCanvas::showMainMenu(); return true;
    case MainCanvas::mainMenuId: return mainMenuResult();
    case 27: return newGameResult();
    case 37: return difficultyResult();
    case MainCanvas::bestResultsMenuId: return bestResultsMenuResult();
    case MainCanvas::startQuestionId: startUpAnswer(); return true;
    default: return false;
  }
}

}  // namespace nvx
