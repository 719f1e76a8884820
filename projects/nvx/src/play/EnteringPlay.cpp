#include "nvx/src/play/EnteringPlay.h"

#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

namespace nvx {

namespace {

constexpr uint8_t noSelection = 255;
constexpr int32_t noCrewText = 167;
constexpr int32_t levelPictures = 0;
constexpr int32_t planningPictures = 1;
constexpr int16_t noticeTitle = 137;

Person& leader() { return *static_cast<Person*>(MainCanvas::persons[0].get()); }

void resetKeys() {
  gamelib::ScreenCanvas::resetKeys();
  MainCanvas::pendingKey = MainCanvas::noKey;
}

void playLooping(int32_t sound) {
  MainCanvas::sounds->stop(-1, false);
  MainCanvas::sounds->play(sound, true, 0);
}

// Frames in a sheet of cells; -1 when the sheet is not loaded.
int32_t sheetFrames(int32_t picture) {
  auto* sheet = MainCanvas::pictures && picture < MainCanvas::pictures->length()
                    ? dynamic_cast<qel::lcdui::DImage*>(MainCanvas::pictures->at(picture).get())
                    : nullptr;
  const int32_t c = MainCanvas::cellSize;
  if (!sheet || c <= 0) return -1;
  return sheet->getWidth() * sheet->getHeight() / (c * c);
}

}  // namespace

void EnteringPlay::setUpLevel() {
  resetKeys();
  qel::util::DVector& crew = *MainCanvas::activePersons;
  if (MainCanvas::levelNumber < MainCanvas::firstGameLevel && crew.size() == 0) {
    MainCanvas::openDialog(0, nullptr, noCrewText, nullptr, MainCanvas::softKeysFor(1), noticeTitle);
    return;
  }
  if (MainCanvas::sounds) playLooping(arrivalMusic);
  MainCanvas::trailGraphics.release();
  MainCanvas::trailImage.release();
  MainCanvas::swapPictures(levelPictures);
  fitSpriteTables();
  MainCanvas::enter(MainCanvas::stateLevel);
  MainCanvas::clearHotZones();
  MainCanvas::makeTrailImage();

  MainCanvas::pendingScreen.release();
  MainCanvas::startMoney = MainCanvas::money;
  MainCanvas::levelCounterAtStart = MainCanvas::levelCounter;
  MainCanvas::levelTicks = 0;
  MainCanvas::alarmRaised = 0;
  MainCanvas::loudNoiseMade = 0;
  MainCanvas::noiseMade = 0;
  MainCanvas::hintPending = 0;
  MainCanvas::skipWorldLogic = 1;

  MainCanvas::activeAtLevelStart->removeAllElements();
  for (int32_t i = 0; i < crew.size(); ++i) {
    auto* p = static_cast<Person*>(crew.elementAt(i));
    p->resetToStart();
    MainCanvas::activeAtLevelStart->addElement(p);
  }
  for (int32_t i = 0; i < 3; ++i) MainCanvas::padLetters[i] = leader().pockets[i];
  MainCanvas::levelList->removeAllElements();
  for (int32_t i = 0; i < MainCanvas::savedIds->size(); ++i)
    MainCanvas::levelList->addElement(MainCanvas::savedIds->elementAt(i));

  MainCanvas::shareEntries(MainCanvas::alarmLinks, MainCanvas::savedAlarmLinks);
  MainCanvas::copyObjects(MainCanvas::bombs, MainCanvas::savedBombs);
  MainCanvas::bombs->clear();
  MainCanvas::resetRoomObjects(false);

  if (MainCanvas::difficulty > -1 || MainCanvas::levelNumber == MainCanvas::lastTrainingLevel) {
    // A run set up twice without planning in between keeps one leader.
    if (!crew.contains(&leader())) crew.addElement(&leader());
    leader().resetPlan();
  }

  if (crew.size() > 0) {
    MainCanvas::selectionIndex = static_cast<uint8_t>(crew.size() - 1);
    MainCanvas::selectedPerson = MainCanvas::selectedFromIndex();
    MainCanvas::stepIndex = 0;
    const Person& selected = *Person::selected();
    MainCanvas::centerViewOn(selected.x, selected.y, true, false, false);
    MainCanvas::stepVehicle();
    MainCanvas::vehicleSpeed = MainCanvas::arrivalSpeed;
    MainCanvas::phase = 5;
    MainCanvas::phaseCounter = 0;
    MainCanvas::vehicleX = MainCanvas::screenWidth;
    for (int32_t i = 0; i < MainCanvas::routeIndex->length(); ++i) MainCanvas::routeIndex[i] = 0;
    MainCanvas::invalidateScene();
  }
}

void EnteringPlay::enterPlanning() {
  resetKeys();
  MainCanvas::swapPictures(planningPictures);
  if (MainCanvas::sounds) playLooping(planMusic);
  MainCanvas::pendingScreen.release();
  MainCanvas::hintPending = 0;
  MainCanvas::selectionIndex = noSelection;
  MainCanvas::skipWorldLogic = 0;
  MainCanvas::pendingKey = MainCanvas::noKey;
  MainCanvas::activePersons->removeElement(&leader());
  if (MainCanvas::activePersons->size() > 0)
    MainCanvas::selectPerson(-1);
  else
    MainCanvas::selectedPerson.release();
  // Planning straight from the map screen has no trail image yet.
  if (!MainCanvas::trailImage) MainCanvas::makeTrailImage();
  MainCanvas::centerViewOn(MainCanvas::exitX, MainCanvas::exitY, true, false, false);
  MainCanvas::stepVehicle();
  MainCanvas::enter(MainCanvas::stateLevel);
  MainCanvas::clearHotZones();
  MainCanvas::sceneDirty = 1;
}

void EnteringPlay::fitSpriteTables() {
  if (MainCanvas::spritesFitted) return;
  if (const int32_t frames = sheetFrames(personSheet); frames >= 0) fitPersonAnimations(frames);
  if (const int32_t frames = sheetFrames(objectSheet); frames >= 0) fitObjectKinds(frames);
  MainCanvas::spritesFitted = 1;
}

void EnteringPlay::fitPersonAnimations(int32_t frames) {
  qel::lang::DshortArray2d& rows = *MainCanvas::animationFrames;
  const qel::lang::DshortArray2d& fallbacks = *MainCanvas::typeGroups;
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
  qel::lang::DintArray2d& kinds = *MainCanvas::objectTypeTable;
  const qel::lang::DbyteArray2d& fallbacks = *MainCanvas::objectFallbacks;
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
