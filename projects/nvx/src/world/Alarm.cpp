#include <algorithm>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/media/DPlayer.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/WorldScreen.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t soundSignalAlarm = 8;

}  // namespace

void WorldRules::triggerAlarm(const qel::lang::DIntegerPtr& key) {
  if (!MainCanvas::alarmLinks->containsKey(key)) return;
  if (MainCanvas::difficulty == -1) {
    MainCanvas::levelEndFlag = 5;
    WorldScreen::openNotice(39, 156, nullptr, 137);
    return;
  }
  if (MainCanvas::alarmRaised) return;
  MainCanvas::levelCounter =
      std::min(MainCanvas::levelCounter, MainCanvas::stepIndex + MainCanvas::randomInRange(20, 30));
  MainCanvas::alarmRaised = 1;
  WorldScreen::openNotice(0, 146, nullptr, 137);
  if (MainCanvas::sounds) MainCanvas::sounds->playOnce(soundSignalAlarm, 0);
}

void WorldRules::makeNoise(bool loud) {
  if (MainCanvas::alarmRaised) return;
  if (loud) {
    if (MainCanvas::loudNoiseMade) return;
    MainCanvas::levelCounter -=
        MainCanvas::noiseMade ? MainCanvas::randomInRange(0, 30) : MainCanvas::randomInRange(30, 50);
    MainCanvas::loudNoiseMade = 1;
  } else if (!MainCanvas::noiseMade && !MainCanvas::loudNoiseMade) {
    MainCanvas::levelCounter -= MainCanvas::randomInRange(10, 30);
    MainCanvas::noiseMade = 1;
  }
}

}  // namespace nvx
