#include <string>

#include "gamelib/SoundManager.h"
#include "guilib/GUIEngine.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DintArray.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/TableData.h"
#include "nvx/src/world/Person.h"

namespace nvx {

namespace {

bool pictureLoaded(int32_t i) { return MainCanvas::pictures && MainCanvas::pictures[i]; }

void dropPictures(std::initializer_list<int32_t> numbers) {
  if (!MainCanvas::pictures) return;
  for (int32_t i : numbers) MainCanvas::pictures[i].release();
}

void loadPictures(std::initializer_list<int32_t> numbers) {
  for (int32_t i : numbers) MainCanvas::loadPicture(i);
}

}  // namespace

void SplashScreen::startupLoad(const qel::lang::DObjectPtr& canvas) {
  if (!canvas) qel::lang::throwException(qel::lang::ExceptionCode::NullPointer);
  MainCanvas::mapPlace = 0;
  loadSounds();
  MainCanvas::loadOptions();
  // A first start writes the defaults. When they cannot be written every
  // start would look like the first: after one failed try the game goes on
  // as if they had been.
  if (MainCanvas::optionsMissing == 1 && !MainCanvas::saveOptions()) MainCanvas::optionsMissing = 0;
  for (int32_t slot = 1; slot <= 2; ++slot)
    if (MainCanvas::saveExists != 1 && MainCanvas::hasSave(slot)) MainCanvas::saveExists = 1;
  for (int32_t id = 0; id < MainCanvas::persons->length(); ++id) MainCanvas::persons[id] = new Person(id);
  MainCanvas::showPlaceHint();
}

void SplashScreen::loadSounds() {
  qel::lang::DObjectArrayPtr names = new qel::lang::DObjectArray(soundCount);
  qel::lang::DintArrayPtr kinds = new qel::lang::DintArray(soundCount);
  qel::lang::DintArrayPtr groups = new qel::lang::DintArray(soundCount);
  for (int32_t i = 0; i < soundCount; ++i) {
    names[i] = new qel::lang::DString((std::string("snd/") + tables::soundNames[i]).c_str());
    kinds[i] = i >= firstTune ? 1 : 0;
  }
  MainCanvas::sounds = new gamelib::SoundManager();
  MainCanvas::sounds->init(names, kinds, groups, 1, true);
  MainCanvas::sounds->setSfxVolume(startEffectsVolume);
  MainCanvas::sounds->setMusicVolume(startMusicVolume);
  MainCanvas::sounds->setEnabled(false);
}

void SplashScreen::swapPictures(int32_t set) {
  MainCanvas::loadingPictures = 1;
  switch (set) {
    case 0:
      if (pictureLoaded(4)) break;
      dropPictures({2, 3});
      loadPictures({4, 5, 6});
      break;
    case 1:
      if (pictureLoaded(3)) break;
      dropPictures({2, 4, 5, 6});
      loadPictures({3});
      break;
    case 2:
      if (pictureLoaded(2)) break;
      dropPictures({3, 4, 5, 6});
      loadPictures({2});
      break;
    default: break;
  }
  MainCanvas::loadingPictures = 0;
}

void SplashScreen::onPause() {
  MainCanvas::resumeSound = -1;
  if (MainCanvas::gameState == MainCanvas::stateLevel && MainCanvas::skipWorldLogic == 1) {
    MainCanvas::parkedSelection = MainCanvas::selectionIndex;
    MainCanvas::selectionIndex = 255;
    MainCanvas::pendingKey = MainCanvas::noKey;
  }
  MainCanvas::mapPainting = 0;
  if (!MainCanvas::sounds) return;
  for (int32_t tune = firstTune; tune < soundCount; ++tune) {
    if (MainCanvas::sounds->isPlaying(tune)) {
      MainCanvas::resumeSound = tune;
      break;
    }
  }
  MainCanvas::sounds->stop(-1, false);
}

void SplashScreen::shutdown() {
  MainCanvas::savedGameState = MainCanvas::gameState;
  MainCanvas::enter(MainCanvas::stateShutDown);
  if (MainCanvas::sounds) {
    MainCanvas::sounds->release();
    MainCanvas::sounds.release();
  }
  MainCanvas::rateImage.release();
  MainCanvas::infoImage.release();
  guilib::GUIEngine::getInstance()->destroyInstance();
}

}  // namespace nvx
