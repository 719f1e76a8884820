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
#include "nvx/src/state/MainCanvas.h"
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

DshortArrayPtr softKeys(int32_t count) { return MainCanvas::softKeysFor(count); }

void startTicking() {
  gamelib::SoundManager* sounds = MainCanvas::sounds.get();
  if (!sounds || sounds->isPlaying(GameDialogs::hintTicking)) return;
  sounds->stop(-1, false);
  sounds->play(GameDialogs::hintTicking, true, 0);
}

}  // namespace

void GameDialogs::showMainMenu() {
  std::vector<int16_t> items = {200, 208, 209, 210, 203, 202};
  if (MainCanvas::infoImage) items.push_back(301);
  items.push_back(211);
  MainCanvas::splashStep = 25;
  MainCanvas::openMenu(mainMenuId, nullptr, shortsOf(items), MainCanvas::getText(129), 1);
}

void GameDialogs::returnToMainMenu() {
  MainCanvas::enter(MainCanvas::stateSplash);
  showMainMenu();
}

void GameDialogs::showStartQuestion() {
  MainCanvas::splashStep = 25;
  MainCanvas::openDialog(startQuestionId, nullptr, 283, nullptr, softKeys(2), 284);
}

void GameDialogs::showInfoText() {
  MainCanvas::splashStep = 25;
  MainCanvas::openDialog(infoId, pictureOf(MainCanvas::spritePictureBox, 6), 1, nullptr, softKeys(1), 210);
}

void GameDialogs::showInfoPicture() {
  DbyteArrayPtr picture;
  if (MainCanvas::infoImage) {
    qel::lang::DshortArray& sprite = *MainCanvas::spriteTable->at(MainCanvas::spriteInfoPicture);
    sprite.at(2) = static_cast<int16_t>(MainCanvas::infoImage->getWidth());
    sprite.at(3) = static_cast<int16_t>(MainCanvas::infoImage->getHeight());
    if (!MainCanvas::pictures) MainCanvas::pictures = new DObjectArray(8);
    MainCanvas::pictures->at(7) = MainCanvas::infoImage;
    picture = pictureOf(MainCanvas::spriteInfoPicture, 0);
  }
  MainCanvas::splashStep = 25;
  MainCanvas::openDialog(infoId, picture, 302, nullptr, softKeys(1), 210);
}

void GameDialogs::showSoundOptions() {
  gamelib::SoundManager* sounds = MainCanvas::sounds.get();
  const int16_t effects = static_cast<int16_t>(sounds ? sounds->sfxVolume() / 8 : 0);
  const int16_t music = static_cast<int16_t>(sounds ? sounds->musicVolume() / 8 : 0);
  DObjectArrayPtr values =
      objectsOf({nullptr, objectsOf({new qel::lang::DShort(effects)}), objectsOf({new qel::lang::DShort(music)})});
  DbyteArrayPtr checks = new DbyteArray(3);
  checks->at(0) = sounds && sounds->isEnabled() ? 1 : 0;
  MainCanvas::openValueDialog(soundOptionsId, nullptr, shortsOf({212, -2, -1}), values, nullptr, checks, 208, 1);
}

void GameDialogs::showBestResultsMenu() {
  std::vector<int16_t> items = {214, 215};
  if (MainCanvas::bestResultsExtra) items.push_back(216);
  MainCanvas::splashStep = 25;
  MainCanvas::openMenu(bestResultsMenuId, nullptr, shortsOf(items), MainCanvas::getText(203), 2);
}

void GameDialogs::showGameMenu() {
  std::vector<int16_t> items = {192};
  if (MainCanvas::retriesLeft > 0 && MainCanvas::difficulty != -1) items.push_back(191);
  MainCanvas::openMenu(gameMenuId, nullptr, shortsOf(items), MainCanvas::getText(130), 1);
}

void GameDialogs::showLevelBriefing() {
  startTicking();
  const int32_t level = MainCanvas::levelNumber;
  const qel::lang::DshortArray& row = *MainCanvas::levelTable->at(level - 1);
  const int32_t time = row.at(0);
  DObjectArrayPtr params = objectsOf({new qel::lang::DInteger(time / 60),
                                      new qel::lang::DInteger(time % 60 / 10),
                                      new qel::lang::DInteger(time % 10)});
  int32_t body = row.at(25);
  if (MainCanvas::touchInput && body == 9) body = 299;
  if (MainCanvas::touchInput && body == 13) body = 300;
  const DbyteArrayPtr picture = pictureOf(MainCanvas::spritePictureBox, 5);
  if (level < 7) {
    MainCanvas::openDialog(briefingId, picture, body, params, softKeys(1), 133);
  } else {
    MainCanvas::openMessageDialog2(
        briefingId, picture, body, params, softKeys(1), 134, objectsOf({new qel::lang::DInteger(level - 6)}));
  }
}

bool GameDialogs::showHint(int32_t hint, int32_t set, int32_t frame, bool force) {
  qel::lang::DboolArray& shown = *MainCanvas::options;
  if ((shown.at(hint) || MainCanvas::difficulty >= 0) && !force) return false;
  shown.at(hint) = true;
  // Only on the map screen itself: a window over it keeps its music.
  if (MainCanvas::gameState == MainCanvas::stateMapScreen) startTicking();
  const int32_t body = MainCanvas::touchInput ? hint + 289 : hint - 1;
  MainCanvas::openDialog(hintId, set == -1 ? nullptr : pictureOf(set, frame), body, nullptr, softKeys(1), 135);
  MainCanvas::saveOptions();
  return true;
}

void GameDialogs::showLevelTotals() {
  std::vector<int16_t> items;
  std::vector<int32_t> counts;
  const qel::lang::DintArray& totals = *MainCanvas::levelTotals;
  for (int32_t i = 1; i < totals.length(); ++i) {
    if (totals.at(i) <= 0) continue;
    items.push_back(static_cast<int16_t>(228 + i));
    counts.push_back(totals.at(i));
  }
  if (items.empty()) return;
  DObjectArrayPtr values = new DObjectArray(static_cast<int32_t>(counts.size()));
  for (int32_t i = 0; i < values->length(); ++i)
    values->at(i) = objectsOf({new qel::lang::DInteger(counts[static_cast<size_t>(i)])});
  MainCanvas::openListDialog(
      levelTotalsId, MainCanvas::kindList, nullptr, shortsOf(items), nullptr, values, nullptr, 143, 2);
}

void GameDialogs::showTeam() {
  qel::util::DVector& jailed = *MainCanvas::savedIds;
  const int32_t n = jailed.size();
  DshortArrayPtr items = new DshortArray(n);
  DObjectArrayPtr values = new DObjectArray(n);
  DObjectArrayPtr pictures = new DObjectArray(n);
  for (int32_t i = 0; i < n; ++i) {
    const Person& person = *static_cast<Person*>(jailed.elementAt(i));
    items->at(i) = static_cast<int16_t>(person.id + 46);
    values->at(i) = objectsOf({new qel::lang::DInteger(person.loot->at(0) * 1000)});
    pictures->at(i) = pictureOf(MainCanvas::spritePersonIcon, person.id);
  }
  MainCanvas::openValueMenu(teamId, nullptr, items, values, pictures, nullptr, 46, 2);
}

void GameDialogs::showMapMenu() {
  MainCanvas::openMenu(mapMenuId, nullptr, shortsOf({190, 209, 199}), MainCanvas::getText(128), 2);
}

}  // namespace nvx
