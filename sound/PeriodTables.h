#pragma once

#include <array>
#include <cstdint>

namespace nv::sound {

// Periods and pitches of the MOD player.
class PeriodTables {
public:
  static constexpr int kNotes = 84;         // 7 octaves of 12 notes
  static constexpr int kFinetunes = 16;     // rows 0..7 finetune 0..+7, rows 8..15 finetune -8..-1
  static constexpr int kLastPeriod = 4095;  // highest period a pattern cell can hold
  static constexpr int kSlideMin = 13;
  static constexpr int kSlideMax = 1712;

  // Period table[finetune * 84 + note].
  static const std::array<uint16_t, kFinetunes * kNotes>& periods();
  // One half sine wave of 32 steps.
  static const std::array<uint8_t, 32>& vibrato();

  // Builds the per-period tables for an output rate (Hz, above 0).
  explicit PeriodTables(uint32_t outputRate);

  // 20.12 sample step per output frame for a period, clamped to 0..4095.
  uint32_t step(int period) const { return step_[clampPeriod(period)]; }
  // Index 0..83 of the base-row period nearest to a period.
  uint16_t note(int period) const { return note_[clampPeriod(period)]; }

  static int clampPeriod(int period) { return period < 0 ? 0 : (period > kLastPeriod ? kLastPeriod : period); }

private:
  std::array<uint32_t, kLastPeriod + 1> step_{};
  std::array<uint16_t, kLastPeriod + 1> note_{};
};

}  // namespace nv::sound
