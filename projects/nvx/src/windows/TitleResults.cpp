#include "gamelib/GameLib.h"
#include "gamelib/StringManager.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "lang/DshortArray.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"

namespace nvx {

using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::lang::DStringPtr;

namespace {

// The chosen item of a list, -1 for any other result.
int32_t chosenItem() {
  const auto* item = dynamic_cast<const qel::lang::DShort*>(DialogWindow::result.get());
  return item ? item->shortValue() : -1;
}

// Whether a text window was closed with its first soft key.
bool accepted() {
  const auto* text = dynamic_cast<const qel::lang::DString*>(DialogWindow::result.get());
  return text && text->equals(u"126");
}

DshortArrayPtr oneKey() { return DialogWindow::softKeysFor(1); }

void openNewGameQuestion() {
  DialogWindow::openMenu(27, nullptr, new DshortArray(2, 0, 193, 194), LanguageTexts::getText(130), 2);
}

void openDifficultyChoice() {
  DialogWindow::openMenu(37, nullptr, new DshortArray(4, 0, 201, 195, 196, 197), LanguageTexts::getText(198), 2);
}

void openAbout() {
  DStringPtr address;
  if (GameState::texts) address = GameState::texts->getString(new qel::lang::DString(u"REGMSG_SUPPORT_EMAIL"));
  DObjectArrayPtr params = new DObjectArray(2);
  params->at(0) = gamelib::GameLib::getVersion();
  params->at(1) = address;
  DialogWindow::openDialog(GameDialogs::infoId, nullptr, 144, params, oneKey(), 202);
}

bool mainMenuResult() {
  switch (chosenItem()) {
    case 200:
      if (GameState::saveExists) {
        openNewGameQuestion();
      } else {
        openDifficultyChoice();
      }
      return true;
    case 203: GameDialogs::showBestResultsMenu(); return true;
    case 208: GameDialogs::showSoundOptions(); return true;
    case 209: DialogWindow::openDialog(0, nullptr, 8, nullptr, oneKey(), 135); return true;
    case 210: GameDialogs::showInfoText(); return true;
    case 202: openAbout(); return true;
    case 301: GameDialogs::showInfoPicture(); return true;
    case 211:
      // Quitting from the menu keeps the stored level in progress as it is.
      GameState::saveOnExit = 0;
      gamelib::GameLib::exitApp();
      return true;
    default: return false;
  }
}

bool newGameResult() {
  switch (chosenItem()) {
    case 193:
      GameStore::loadGame();
      GameStore::loadLevelState();
      GameState::pendingTransition = 3;
      return true;
    case 194: openDifficultyChoice(); return true;
    default: return false;
  }
}

bool difficultyResult() {
  switch (chosenItem()) {
    case 201: GameState::difficulty = -1; break;
    case 195: GameState::difficulty = 0; break;
    case 196: GameState::difficulty = 1; break;
    case 197: GameState::difficulty = 2; break;
    default: return false;
  }
  LevelStart::restartGame();
  return true;
}

bool bestResultsMenuResult() {
  if (!DialogWindow::result) {
    GameDialogs::showMainMenu();
    return true;
  }
  switch (chosenItem()) {
    case 214: BestResults::showBestResults(-1); return true;
    case 215:
      BestResults::resetBestResults();
      BestResults::showBestResults(-1);
      return true;
    case 216: GameState::pendingTransition = 4; return true;
    default: return false;
  }
}

void startUpAnswer() {
  if (accepted() && GameState::sounds) {
    GameState::sounds->setEnabled(true);
    GameState::sounds->play(GameDialogs::titleMusic, true, 0);
  }
  StateMachine::afterSplash();
}

}  // namespace

bool DialogResults::titleDialogResult() {
  switch (DialogWindow::dialogId) {
    case GameDialogs::soundOptionsId:
      if (DialogWindow::result) GameStore::saveOptions();
      GameDialogs::showMainMenu();
      return true;
    case GameDialogs::infoId: GameDialogs::showMainMenu(); return true;
    case GameDialogs::mainMenuId: return mainMenuResult();
    case 27: return newGameResult();
    case 37: return difficultyResult();
    case GameDialogs::bestResultsMenuId: return bestResultsMenuResult();
    case GameDialogs::startQuestionId: startUpAnswer(); return true;
    default: return false;
  }
}

}  // namespace nvx
