#include "nvx/src/play/EnteringPlay.h"

#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

namespace nvx {

namespace {

constexpr uint8_t noSelection = 255;
constexpr int32_t noCrewText = 167;
constexpr int32_t levelPictures = 0;
constexpr int32_t planningPictures = 1;
constexpr int16_t noticeTitle = 137;

Person& leader() { return *static_cast<Person*>(GameTables::persons[0].get()); }

void resetKeys() {
  gamelib::ScreenCanvas::resetKeys();
  GameState::pendingKey = GameState::noKey;
}

void playLooping(int32_t sound) {
  GameState::sounds->stop(-1, false);
  GameState::sounds->play(sound, true, 0);
}

// Frames in a sheet of cells; -1 when the sheet is not loaded.
int32_t sheetFrames(int32_t picture) {
  auto* sheet = GameState::pictures && picture < GameState::pictures->length()
                    ? dynamic_cast<qel::lcdui::DImage*>(GameState::pictures->at(picture).get())
                    : nullptr;
  const int32_t c = GameState::cellSize;
  if (!sheet || c <= 0) return -1;
  return sheet->getWidth() * sheet->getHeight() / (c * c);
}

}  // namespace

void EnteringPlay::setUpLevel() {
  resetKeys();
  qel::util::DVector& crew = *GameTables::activePersons;
  if (GameState::levelNumber < LevelStart::firstGameLevel && crew.size() == 0) {
    DialogWindow::openDialog(0, nullptr, noCrewText, nullptr, DialogWindow::softKeysFor(1), noticeTitle);
    return;
  }
  if (GameState::sounds) playLooping(arrivalMusic);
  WorldState::trailGraphics.release();
  WorldState::trailImage.release();
  SplashScreen::swapPictures(levelPictures);
  fitSpriteTables();
  StateMachine::enter(StateMachine::stateLevel);
  KeyInput::clearHotZones();
  ViewScene::makeTrailImage();

  WorldState::pendingScreen.release();
  GameState::startMoney_ = GameState::money;
  GameState::levelCounterAtStart_ = GameState::levelCounter;
  WorldState::levelTicks_ = 0;
  WorldState::alarmRaised = 0;
  WorldState::loudNoiseMade = 0;
  WorldState::noiseMade = 0;
  GameState::hintPending = 0;
  GameState::skipWorldLogic_ = 1;

  GameTables::activeAtLevelStart->removeAllElements();
  for (int32_t i = 0; i < crew.size(); ++i) {
    auto* p = static_cast<Person*>(crew.elementAt(i));
    p->resetToStart();
    GameTables::activeAtLevelStart->addElement(p);
  }
  for (int32_t i = 0; i < 3; ++i) GameTables::padLetters[i] = leader().pockets[i];
  GameTables::levelList->removeAllElements();
  for (int32_t i = 0; i < GameTables::savedIds->size(); ++i)
    GameTables::levelList->addElement(GameTables::savedIds->elementAt(i));

  WorldRules::shareEntries(GameTables::alarmLinks, GameTables::savedAlarmLinks);
  WorldRules::copyObjects(GameTables::bombs, GameTables::savedBombs);
  GameTables::bombs->clear();
  WorldRules::resetRoomObjects(false);

  if (GameState::difficulty > -1 || GameState::levelNumber == LevelStart::lastTrainingLevel) {
    // A run set up twice without planning in between keeps one leader.
    if (!crew.contains(&leader())) crew.addElement(&leader());
    leader().resetPlan();
  }

  if (crew.size() > 0) {
    GameState::selectionIndex = static_cast<uint8_t>(crew.size() - 1);
    WorldState::selectedPerson = ViewScene::selectedFromIndex();
    WorldState::stepIndex = 0;
    const Person& selected = *Person::selected();
    ViewScene::centerViewOn(selected.x, selected.y, true, false, false);
    WorldRules::stepVehicle();
    WorldState::vehicleSpeed = WorldState::arrivalSpeed;
    WorldState::phase = 5;
    WorldState::phaseCounter = 0;
    WorldState::vehicleX = GameState::screenWidth;
    for (int32_t i = 0; i < WorldState::routeIndex->length(); ++i) WorldState::routeIndex[i] = 0;
    ViewScene::invalidateScene();
  }
}

void EnteringPlay::enterPlanning() {
  resetKeys();
  SplashScreen::swapPictures(planningPictures);
  if (GameState::sounds) playLooping(planMusic);
  WorldState::pendingScreen.release();
  GameState::hintPending = 0;
  GameState::selectionIndex = noSelection;
  GameState::skipWorldLogic_ = 0;
  GameState::pendingKey = GameState::noKey;
  GameTables::activePersons->removeElement(&leader());
  if (GameTables::activePersons->size() > 0)
    LevelKeys::selectPerson(-1);
  else
    WorldState::selectedPerson.release();
  // Planning straight from the map screen has no trail image yet.
  if (!WorldState::trailImage) ViewScene::makeTrailImage();
  ViewScene::centerViewOn(WorldState::exitX, WorldState::exitY, true, false, false);
  WorldRules::stepVehicle();
  StateMachine::enter(StateMachine::stateLevel);
  KeyInput::clearHotZones();
  WorldState::sceneDirty = 1;
}

void EnteringPlay::fitSpriteTables() {
  if (WorldState::spritesFitted) return;
  if (const int32_t frames = sheetFrames(personSheet); frames >= 0) fitPersonAnimations(frames);
  if (const int32_t frames = sheetFrames(objectSheet); frames >= 0) fitObjectKinds(frames);
  WorldState::spritesFitted_ = 1;
}

void EnteringPlay::fitPersonAnimations(int32_t frames) {
  qel::lang::DshortArray2d& rows = *GameTables::animationFrames;
  const qel::lang::DshortArray2d& fallbacks = *GameTables::typeGroups;
  for (int32_t r = 0; r < rows.length() && r < fallbacks.length(); ++r) {
    const auto list = fallbacks.at(r);
    if (!list || list->length() == 0) continue;
    for (int32_t k = 0; rows.at(r)[0] >= frames && k + 1 < list->length();) {
      ++k;
      rows.at(r) = rows.at(list[k]);
    }
  }
}

void EnteringPlay::fitObjectKinds(int32_t frames) {
  qel::lang::DintArray2d& kinds = *GameTables::objectTypeTable;
  const qel::lang::DbyteArray2d& fallbacks = *GameTables::objectFallbacks;
  for (int32_t t = 0; t < kinds.length() && t < fallbacks.length(); ++t) {
    const auto list = fallbacks.at(t);
    if (!list || list->length() == 0) continue;
    auto kind = kinds.at(t);
    for (int32_t k = 0; kind[0] >= frames;) {
      if (list[0] == -1) {
        for (int32_t column = 0; column < 4; ++column) kind[column] = static_cast<int8_t>(frames);
        kind[4] = -1;
        break;
      }
      if (k + 1 >= list->length()) break;
      ++k;
      const auto from = kinds.at(list[k]);
      for (int32_t column = 0; column < 4; ++column) kind[column] = from[column];
      kind[5] = (kind[5] & ~0xC0) | (from[5] & 0xC0);
      kind[6] = from[6];
    }
  }
}

}  // namespace nvx
