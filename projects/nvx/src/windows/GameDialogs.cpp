#include "nvx/src/windows/GameDialogs.h"

#include <initializer_list>
#include <vector>

#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "lang/DboolArray.h"
#include "lang/DbyteArray.h"
#include "lang/DintArray.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/store/SaveFailures.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

namespace {

DshortArrayPtr shortsOf(const std::vector<int16_t>& values) {
  DshortArrayPtr array = new DshortArray(static_cast<int32_t>(values.size()));
  for (int32_t i = 0; i < array->length(); ++i) array->at(i) = values[static_cast<size_t>(i)];
  return array;
}

DbyteArrayPtr pictureOf(int32_t set, int32_t frame) {
  return new DbyteArray(2, 0, static_cast<int8_t>(set), static_cast<int8_t>(frame));
}

DObjectArrayPtr objectsOf(std::initializer_list<qel::lang::DObjectPtr> values) {
  DObjectArrayPtr array = new DObjectArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (const auto& v : values) array->at(i++) = v;
  return array;
}

DshortArrayPtr softKeys(int32_t count) { return DialogWindow::softKeysFor(count); }

void startTicking() {
  gamelib::SoundManager* sounds = GameState::sounds.get();
  if (!sounds || sounds->isPlaying(GameDialogs::hintTicking)) return;
  sounds->stop(-1, false);
  sounds->play(GameDialogs::hintTicking, true, 0);
}

}  // namespace

void GameDialogs::showMainMenu() {
  std::vector<int16_t> items = {200, 208, 209, 210, 203, 202};
  if (GameState::infoImage) items.push_back(301);
  items.push_back(211);
  GameState::splashStep = 25;
  DialogWindow::openMenu(mainMenuId, nullptr, shortsOf(items), LanguageTexts::getText(129), 1);
}

void GameDialogs::returnToMainMenu() {
  StateMachine::enter(StateMachine::stateSplash);
  showMainMenu();
}

void GameDialogs::showStartQuestion() {
  GameState::splashStep = 25;
  DialogWindow::openDialog(startQuestionId, nullptr, 283, nullptr, softKeys(2), 284);
}

void GameDialogs::showInfoText() {
  GameState::splashStep = 25;
  DialogWindow::openDialog(infoId, pictureOf(SpriteRows::spritePictureBox, 6), 1, nullptr, softKeys(1), 210);
}

void GameDialogs::showInfoPicture() {
  DbyteArrayPtr picture;
  if (GameState::infoImage) {
    qel::lang::DshortArray& sprite = *GameTables::spriteTable->at(SpriteRows::spriteInfoPicture);
    sprite.at(2) = static_cast<int16_t>(GameState::infoImage->getWidth());
    sprite.at(3) = static_cast<int16_t>(GameState::infoImage->getHeight());
    if (!GameState::pictures) GameState::pictures = new DObjectArray(8);
    GameState::pictures->at(7) = GameState::infoImage;
    picture = pictureOf(SpriteRows::spriteInfoPicture, 0);
  }
  GameState::splashStep = 25;
  DialogWindow::openDialog(infoId, picture, 302, nullptr, softKeys(1), 210);
}

void GameDialogs::showSoundOptions() {
  gamelib::SoundManager* sounds = GameState::sounds.get();
  const int16_t effects = static_cast<int16_t>(sounds ? sounds->sfxVolume() / 8 : 0);
  const int16_t music = static_cast<int16_t>(sounds ? sounds->musicVolume() / 8 : 0);
  DObjectArrayPtr values =
      objectsOf({nullptr, objectsOf({new qel::lang::DShort(effects)}), objectsOf({new qel::lang::DShort(music)})});
  DbyteArrayPtr checks = new DbyteArray(3);
  checks->at(0) = sounds && sounds->isEnabled() ? 1 : 0;
  DialogWindow::openValueDialog(soundOptionsId, nullptr, shortsOf({212, -2, -1}), values, nullptr, checks, 208, 1);
}

void GameDialogs::showBestResultsMenu() {
  std::vector<int16_t> items = {214, 215};
  if (GameState::bestResultsExtra) items.push_back(216);
  GameState::splashStep = 25;
  DialogWindow::openMenu(bestResultsMenuId, nullptr, shortsOf(items), LanguageTexts::getText(203), 2);
}

void GameDialogs::showGameMenu() {
  std::vector<int16_t> items = {192};
  if (GameState::retriesLeft > 0 && GameState::difficulty != -1) items.push_back(191);
  DialogWindow::openMenu(gameMenuId, nullptr, shortsOf(items), LanguageTexts::getText(130), 1);
}

void GameDialogs::showLevelBriefing() {
  startTicking();
  const int32_t level = GameState::levelNumber;
  const qel::lang::DshortArray& row = *GameTables::levelTable->at(level - 1);
  const int32_t time = row.at(0);
  DObjectArrayPtr params = objectsOf({new qel::lang::DInteger(time / 60),
                                      new qel::lang::DInteger(time % 60 / 10),
                                      new qel::lang::DInteger(time % 10)});
  int32_t body = row.at(25);
  if (GameState::touchInput && body == 9) body = 299;
  if (GameState::touchInput && body == 13) body = 300;
  const DbyteArrayPtr picture = pictureOf(SpriteRows::spritePictureBox, 5);
  if (level < 7) {
    DialogWindow::openDialog(briefingId, picture, body, params, softKeys(1), 133);
  } else {
    DialogWindow::openMessageDialog2(
        briefingId, picture, body, params, softKeys(1), 134, objectsOf({new qel::lang::DInteger(level - 6)}));
  }
}

bool GameDialogs::showHint(int32_t hint, int32_t set, int32_t frame, bool force) {
  qel::lang::DboolArray& shown = *GameTables::options;
  if ((shown.at(hint) || GameState::difficulty >= 0) && !force) return false;
  shown.at(hint) = true;
  // Only on the map screen itself: a window over it keeps its music.
  if (GameState::gameState == StateMachine::stateMapScreen) startTicking();
  const int32_t body = GameState::touchInput ? hint + 289 : hint - 1;
  DialogWindow::openDialog(hintId, set == -1 ? nullptr : pictureOf(set, frame), body, nullptr, softKeys(1), 135);
  GameStore::saveOptions();
  return true;
}

void GameDialogs::showLevelTotals() {
  std::vector<int16_t> items;
  std::vector<int32_t> counts;
  const qel::lang::DintArray& totals = *GameTables::levelTotals;
  for (int32_t i = 1; i < totals.length(); ++i) {
    if (totals.at(i) <= 0) continue;
    items.push_back(static_cast<int16_t>(228 + i));
    counts.push_back(totals.at(i));
  }
  if (items.empty()) return;
  DObjectArrayPtr values = new DObjectArray(static_cast<int32_t>(counts.size()));
  for (int32_t i = 0; i < values->length(); ++i)
    values->at(i) = objectsOf({new qel::lang::DInteger(counts[static_cast<size_t>(i)])});
  DialogWindow::openListDialog(
      levelTotalsId, DialogWindow::kindList, nullptr, shortsOf(items), nullptr, values, nullptr, 143, 2);
}

void GameDialogs::showTeam() {
  qel::util::DVector& jailed = *GameTables::savedIds;
  const int32_t n = jailed.size();
  DshortArrayPtr items = new DshortArray(n);
  DObjectArrayPtr values = new DObjectArray(n);
  DObjectArrayPtr pictures = new DObjectArray(n);
  for (int32_t i = 0; i < n; ++i) {
    const Person& person = *static_cast<Person*>(jailed.elementAt(i));
    items->at(i) = static_cast<int16_t>(person.id + 46);
    values->at(i) = objectsOf({new qel::lang::DInteger(person.loot->at(0) * 1000)});
    pictures->at(i) = pictureOf(SpriteRows::spritePersonIcon, person.id);
  }
  DialogWindow::openValueMenu(teamId, nullptr, items, values, pictures, nullptr, 46, 2);
}

void GameDialogs::showMapMenu() {
  DialogWindow::openMenu(mapMenuId, nullptr, shortsOf({190, 209, 199}), LanguageTexts::getText(128), 2);
}

void GameDialogs::showSaveFailedNotice() {
  SaveFailures::noticeShown();
  DialogWindow::openDialog(noticeId, nullptr, saveFailedText, nullptr, softKeys(1), noticeTitle);
}

}  // namespace nvx
