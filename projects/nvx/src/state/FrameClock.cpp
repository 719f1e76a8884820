#include "nvx/src/state/FrameClock.h"

#include <algorithm>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DSystem.h"
#include "nvx/src/input/Pointer.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/SaveFailures.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx {

using gamelib::GameLib;
using gamelib::ScreenCanvas;

namespace {

int64_t now() { return qel::lang::DSystem::currentTimeMillis(0); }

// More than period milliseconds since last, and the clock did not go back.
bool due(int64_t at, int64_t last, int64_t period) {
  const int64_t elapsed = at - last;
  return elapsed >= 0 && elapsed > period;
}

}  // namespace

void FrameClock::step() {
  const int64_t at = now();
  if (GameLib::pausedOnce) {
    if (GameState::resumeSound >= 0 && GameState::sounds) GameState::sounds->play(GameState::resumeSound, true, 0);
    GameLib::clearPausedOnce();
  }
  if (ScreenCanvas::keyPressedFlag) {
    if (due(at, keyRepeatTime, keyRepeatMs)) {
      keyRepeatTime_ = at;
      StateMachine::update(ScreenCanvas::lastKeyCode);
    }
  } else {
    GameState::pendingKey = GameState::noKey;
  }
  if (ScreenCanvas::pointerHeld && due(at, pointerRepeatTime, pointerRepeatMs)) {
    pointerRepeatTime_ = at;
    Pointer::handlePointer(ScreenCanvas::pointerX, ScreenCanvas::pointerY);
  }
  if (!GameLib::exiting) tickClock(static_cast<int32_t>(lastFrameTime));
  lastFrameTime_ = at;
}

void FrameClock::tickClock(int32_t previousFrameTime) {
  const uint32_t elapsed = static_cast<uint32_t>(now()) - static_cast<uint32_t>(previousFrameTime);
  clockAccum_ = static_cast<int32_t>(static_cast<uint32_t>(clockAccum) + elapsed);
  if (clockAccum > cycleMs) clockAccum_ = 0;
  const int64_t phase = std::min<int64_t>(int64_t{clockAccum} * phasesPerCycle / cycleMs, phasesPerCycle - 1);
  clockPhase_ = static_cast<int8_t>(phase);
  if (clockPhase == clockPrevPhase) return;
  clockPrevPhase_ = clockPhase;
  onPhaseChange();
}

void FrameClock::onPhaseChange() {
  if (++clockTick_ >= phasesPerCycle) {
    clockTick_ = 0;
    GameState::halfSecondCount =
        static_cast<int8_t>(GameState::halfSecondCount >= phasesPerCycle ? 1 : GameState::halfSecondCount + 1);
  }
  GameState::pulsePhase_ = static_cast<int8_t>(GameState::pulsePhase >= 24 ? 1 : GameState::pulsePhase + 1);
  if (SaveFailures::noticeOwed() && StateMachine::readyForNotice()) GameDialogs::showSaveFailedNotice();
  switch (GameState::gameState) {
    case StateMachine::stateSplash: StateMachine::advanceSplash(); break;
    case StateMachine::stateLevel:
      LevelKeys::planKeys();
      WorldRules::worldTick();
      break;
    case StateMachine::stateMapScreen: MapScreen::tickMapScreen(); break;
    case StateMachine::stateBestResults: BestResults::bestResultsClock(); break;
    default: break;
  }
  Ticker::tickTicker();
  ++GameState::tickerPassCount;
  StateMachine::runPendingTransition();
}

}  // namespace nvx
