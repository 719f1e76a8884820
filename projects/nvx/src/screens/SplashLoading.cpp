#include <string>

#include "gamelib/SoundManager.h"
#include "guilib/GUIEngine.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DintArray.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/TableData.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/Person.h"

namespace nvx {

namespace {

bool pictureLoaded(int32_t i) { return GameState::pictures && GameState::pictures[i]; }

void dropPictures(std::initializer_list<int32_t> numbers) {
  if (!GameState::pictures) return;
  for (int32_t i : numbers) GameState::pictures[i].release();
}

void loadPictures(std::initializer_list<int32_t> numbers) {
  for (int32_t i : numbers) SpriteDrawing::loadPicture(i);
}

}  // namespace

void SplashScreen::startupLoad(const qel::lang::DObjectPtr& canvas) {
  if (!canvas) qel::lang::throwException(qel::lang::ExceptionCode::NullPointer);
  GameState::mapPlace = 0;
  loadSounds();
  GameStore::loadOptions();
  // A first start writes the defaults. When they cannot be written every
  // start would look like the first: after one failed try the game goes on
  // as if they had been.
  if (GameState::optionsMissing == 1 && !GameStore::saveOptions()) GameState::optionsMissing = 0;
  for (int32_t slot = 1; slot <= 2; ++slot)
    if (GameState::saveExists != 1 && GameStore::hasSave(slot)) GameState::saveExists = 1;
  for (int32_t id = 0; id < GameTables::persons->length(); ++id) GameTables::persons[id] = new Person(id);
  Ticker::showPlaceHint();
}

void SplashScreen::loadSounds() {
  qel::lang::DObjectArrayPtr names = new qel::lang::DObjectArray(soundCount);
  qel::lang::DintArrayPtr kinds = new qel::lang::DintArray(soundCount);
  qel::lang::DintArrayPtr groups = new qel::lang::DintArray(soundCount);
  for (int32_t i = 0; i < soundCount; ++i) {
    names[i] = new qel::lang::DString((std::string("snd/") + tables::soundNames[i]).c_str());
    kinds[i] = i >= firstTune ? 1 : 0;
  }
  GameState::sounds = new gamelib::SoundManager();
  GameState::sounds->init(names, kinds, groups, 1, true);
  GameState::sounds->setSfxVolume(startEffectsVolume);
  GameState::sounds->setMusicVolume(startMusicVolume);
  GameState::sounds->setEnabled(false);
}

void SplashScreen::swapPictures(int32_t set) {
  GameState::loadingPictures_ = 1;
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
  GameState::loadingPictures_ = 0;
}

void SplashScreen::onPause() {
  GameState::resumeSound_ = -1;
  if (GameState::gameState == StateMachine::stateLevel && GameState::skipWorldLogic == 1) {
    GameState::parkedSelection = GameState::selectionIndex;
    GameState::selectionIndex = 255;
    GameState::pendingKey = GameState::noKey;
  }
  GameState::mapPainting = 0;
  if (!GameState::sounds) return;
  for (int32_t tune = firstTune; tune < soundCount; ++tune) {
    if (GameState::sounds->isPlaying(tune)) {
      GameState::resumeSound_ = tune;
      break;
    }
  }
  GameState::sounds->stop(-1, false);
}

void SplashScreen::shutdown() {
  GameState::savedGameState_ = GameState::gameState;
  StateMachine::enter(StateMachine::stateShutDown);
  if (GameState::sounds) {
    GameState::sounds->release();
    GameState::sounds.release();
  }
  GameState::rateImage.release();
  GameState::infoImage.release();
  guilib::GUIEngine::getInstance()->destroyInstance();
}

}  // namespace nvx
