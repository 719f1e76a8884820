#include "nvx/src/state/FrameClock.h"

#include <algorithm>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DSystem.h"
#include "nvx/src/state/MainCanvas.h"

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
  if (GameLib::isPausedOnce()) {
    if (MainCanvas::resumeSound >= 0 && MainCanvas::sounds) MainCanvas::sounds->play(MainCanvas::resumeSound, true, 0);
    GameLib::clearPausedOnce();
  }
  if (ScreenCanvas::keyPressedFlag) {
    if (due(at, keyRepeatTime, keyRepeatMs)) {
      keyRepeatTime = at;
      MainCanvas::update(ScreenCanvas::lastKeyCode);
    }
  } else {
    MainCanvas::pendingKey = MainCanvas::noKey;
  }
  if (ScreenCanvas::pointerHeld && due(at, pointerRepeatTime, pointerRepeatMs)) {
    pointerRepeatTime = at;
    MainCanvas::handlePointer(ScreenCanvas::pointerX, ScreenCanvas::pointerY);
  }
  if (!GameLib::isExiting()) tickClock(static_cast<int32_t>(lastFrameTime));
  lastFrameTime = at;
}

void FrameClock::tickClock(int32_t previousFrameTime) {
  const uint32_t elapsed = static_cast<uint32_t>(now()) - static_cast<uint32_t>(previousFrameTime);
  clockAccum = static_cast<int32_t>(static_cast<uint32_t>(clockAccum) + elapsed);
  if (clockAccum > cycleMs) clockAccum = 0;
  const int64_t phase = std::min<int64_t>(int64_t{clockAccum} * phasesPerCycle / cycleMs, phasesPerCycle - 1);
  clockPhase = static_cast<int8_t>(phase);
  if (clockPhase == clockPrevPhase) return;
  clockPrevPhase = clockPhase;
  onPhaseChange();
}

void FrameClock::onPhaseChange() {
  if (++clockTick >= phasesPerCycle) {
    clockTick = 0;
    MainCanvas::halfSecondCount =
        static_cast<int8_t>(MainCanvas::halfSecondCount >= phasesPerCycle ? 1 : MainCanvas::halfSecondCount + 1);
  }
  MainCanvas::pulsePhase = static_cast<int8_t>(MainCanvas::pulsePhase >= 24 ? 1 : MainCanvas::pulsePhase + 1);
  switch (MainCanvas::gameState) {
    case MainCanvas::stateSplash: MainCanvas::advanceSplash(); break;
    case MainCanvas::stateLevel:
      MainCanvas::planKeys();
      MainCanvas::worldTick();
      break;
    case MainCanvas::stateMapScreen: MainCanvas::tickMapScreen(); break;
    case MainCanvas::stateBestResults: MainCanvas::bestResultsClock(); break;
    default: break;
  }
  MainCanvas::tickTicker();
  ++MainCanvas::tickerPassCount;
  MainCanvas::runPendingTransition();
}

}  // namespace nvx
