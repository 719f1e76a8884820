#pragma once

#include <cstdint>

namespace nvx {

// The game's per-frame entry: the looping sound resumed after a pause, key
// and pointer auto-repeat, and the game clock, a 500 ms cycle of 12 phases
// whose changes run the current state's periodic work (after the notice of
// a failed save, once the state is ready for it). Statics of MainCanvas.
struct FrameClock {
  static constexpr int64_t keyRepeatMs = 200;
  static constexpr int64_t pointerRepeatMs = 100;
  static constexpr int32_t cycleMs = 500;
  static constexpr int32_t phasesPerCycle = 12;

  static const int64_t& lastFrameTime;
  static const int64_t& keyRepeatTime;
  static const int64_t& pointerRepeatTime;
  static const int32_t& clockAccum;
  // The phase of the current cycle, 0 to 11; the painters blink by it.
  static const int8_t& clockPhase;
  static const int8_t& clockPrevPhase;
  // Phase changes counted 0 to 11; each wrap completes a cycle
  // (halfSecondCount, 1 to 12). pulsePhase counts phase changes 1 to 24.
  static const int8_t& clockTick;

  // One due frame: a held key reaches the state's update when more than
  // 200 ms passed since the last delivery, a held pointer reaches the
  // pointer handler when more than 100 ms passed; a clock that went back
  // delivers nothing. Then the game clock, unless the game is exiting.
  static void step();
  // Adds the time since previousFrameTime (the low 32 bits of the last
  // frame's time); more than a cycle's worth starts the cycle again at 0.
  static void tickClock(int32_t previousFrameTime);

private:
  static void onPhaseChange();
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline int64_t lastFrameTime_ = 0;
  static inline int64_t keyRepeatTime_ = 0;
  static inline int64_t pointerRepeatTime_ = 0;
  static inline int32_t clockAccum_ = 0;
  static inline int8_t clockPhase_ = 0;
  static inline int8_t clockPrevPhase_ = 0;
  static inline int8_t clockTick_ = 0;
};

inline const int64_t& FrameClock::lastFrameTime = lastFrameTime_;
inline const int64_t& FrameClock::keyRepeatTime = keyRepeatTime_;
inline const int64_t& FrameClock::pointerRepeatTime = pointerRepeatTime_;
inline const int32_t& FrameClock::clockAccum = clockAccum_;
inline const int8_t& FrameClock::clockPhase = clockPhase_;
inline const int8_t& FrameClock::clockPrevPhase = clockPrevPhase_;
inline const int8_t& FrameClock::clockTick = clockTick_;

}  // namespace nvx
