#include <algorithm>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/media/DPlayer.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t soundSignalAlarm = 8;

}  // namespace

void WorldRules::triggerAlarm(const qel::lang::DIntegerPtr& key) {
  if (!GameTables::alarmLinks->containsKey(key)) return;
  if (GameState::difficulty == -1) {
    GameState::levelEndFlag = 5;
    DialogWindow::openDialog(39, nullptr, 156, nullptr, DialogWindow::softKeysFor(1), 137);
    return;
  }
  if (WorldState::alarmRaised) return;
  GameState::levelCounter =
      std::min(GameState::levelCounter, WorldState::stepIndex + GameHelpers::randomInRange(20, 30));
  WorldState::alarmRaised = 1;
  DialogWindow::openDialog(0, nullptr, 146, nullptr, DialogWindow::softKeysFor(1), 137);
  if (GameState::sounds) GameState::sounds->playOnce(soundSignalAlarm, 0);
}

void WorldRules::makeNoise(bool loud) {
  if (WorldState::alarmRaised) return;
  if (loud) {
    if (WorldState::loudNoiseMade) return;
    GameState::levelCounter -=
        WorldState::noiseMade ? GameHelpers::randomInRange(0, 30) : GameHelpers::randomInRange(30, 50);
    WorldState::loudNoiseMade = 1;
  } else if (!WorldState::noiseMade && !WorldState::loudNoiseMade) {
    GameState::levelCounter -= GameHelpers::randomInRange(10, 30);
    WorldState::noiseMade = 1;
  }
}

}  // namespace nvx
