#include "sound/PeriodTables.h"

#include <cmath>
#include <cstdlib>

namespace nv::sound {

namespace {

constexpr std::array<uint16_t, PeriodTables::kNotes> kBaseRow = {
    1712, 1616, 1525, 1440, 1357, 1281, 1209, 1141, 1077, 1017, 961, 907, 856, 808, 762, 720, 678, 640, 604, 570, 538,
    508,  480,  453,  428,  404,  381,  360,  339,  320,  302,  285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160,
    151,  143,  135,  127,  120,  113,  107,  101,  95,   90,   85,  80,  76,  71,  67,  64,  60,  57,  53,  50,  47,
    45,   42,   40,   37,   35,   33,   31,   30,   28,   26,   25,  23,  22,  20,  19,  18,  17,  16,  15,  14,  13};

// The tracker clock: a note of period p sounds at kClock / (2p) bytes per second.
constexpr uint64_t kClock = 7159090;

std::array<uint16_t, PeriodTables::kFinetunes * PeriodTables::kNotes> buildPeriods() {
  std::array<uint16_t, PeriodTables::kFinetunes * PeriodTables::kNotes> table{};
  for (int row = 0; row < PeriodTables::kFinetunes; ++row) {
    int finetune = row < 8 ? row : row - 16;
    double factor = std::pow(2.0, -finetune / 96.0);
    for (int i = 0; i < PeriodTables::kNotes; ++i) {
      table[row * PeriodTables::kNotes + i] =
          row == 0 ? kBaseRow[i] : static_cast<uint16_t>(std::floor(kBaseRow[i] * factor));
    }
  }
  return table;
}

uint16_t nearestNote(int period) {
  int best = 0;
  int bestDistance = std::abs(period - kBaseRow[0]);
  for (int i = 0; i < PeriodTables::kNotes; ++i) {
    int distance = std::abs(period - kBaseRow[i]);
    if (distance == 0) {
      return static_cast<uint16_t>(i);
    }
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<uint16_t>(best);
}

}  // namespace

const std::array<uint16_t, PeriodTables::kFinetunes * PeriodTables::kNotes>& PeriodTables::periods() {
  static const auto table = buildPeriods();
  return table;
}

const std::array<uint8_t, 32>& PeriodTables::vibrato() {
  static constexpr std::array<uint8_t, 32> table = {0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212,
                                                    224, 235, 244, 250, 253, 255, 253, 250, 244, 235, 224,
                                                    212, 197, 180, 161, 141, 120, 97,  74,  49,  24};
  return table;
}

PeriodTables::PeriodTables(uint32_t outputRate) {
  step_[0] = 0;
  note_[0] = kNotes - 1;
  for (int p = 1; p <= kLastPeriod; ++p) {
    uint64_t bytesPerSecond = kClock / (2 * static_cast<uint64_t>(p));
    step_[p] = static_cast<uint32_t>(bytesPerSecond * 4096 / outputRate);
    note_[p] = nearestNote(p);
  }
}

}  // namespace nv::sound
