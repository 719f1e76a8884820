#include <algorithm>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/media/DPlayer.h"
#include "nvx/src/state/MainCanvas.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t soundSignalAlarm = 8;

}  // namespace

void WorldRules::triggerAlarm(const qel::lang::DIntegerPtr& key) {
  if (!MainCanvas::alarmLinks->containsKey(key)) return;
  if (MainCanvas::difficulty == -1) {
    MainCanvas::levelEndFlag = 5;
    MainCanvas::openDialog(39, nullptr, 156, nullptr, MainCanvas::softKeysFor(1), 137);
    return;
  }
  if (MainCanvas::alarmRaised) return;
  MainCanvas::levelCounter =
      std::min(MainCanvas::levelCounter, MainCanvas::stepIndex + MainCanvas::randomInRange(20, 30));
  MainCanvas::alarmRaised = 1;
  MainCanvas::openDialog(0, nullptr, 146, nullptr, MainCanvas::softKeysFor(1), 137);
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
