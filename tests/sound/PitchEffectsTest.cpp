#include <gtest/gtest.h>

#include "ModBuilder.h"
#include "SoundTestSupport.h"
#include "sound/SoundModule.h"

// Pitch effects frame by frame against steps worked out by hand from the rules:
// step(p) = floor(floor(7159090 / 2p) * 4096 / 44100), a tick of 883 frames, the
// per-tick change applied on ticks 1 to 5 of a row.
namespace nv::sound {
namespace {

using test::ModBuilder;

constexpr int kTick = 883;
constexpr int kRow = 6 * kTick + 1;

uint32_t step(int period) {
  return static_cast<uint32_t>(static_cast<uint64_t>(7159090 / (2 * period)) * 4096 / 44100);
}

std::vector<int8_t> probe() {
  std::vector<int8_t> data(6000);
  for (size_t i = 0; i < data.size(); ++i) {
    data[i] = static_cast<int8_t>((i * 37) % 251 - 125);
  }
  return data;
}

// Expected mono output of one row whose ticks 0..5 play the given steps (the probe loops whole).
void expectRow(const std::vector<int16_t>& out, int firstFrame, uint64_t& position,
               const std::vector<uint32_t>& tickSteps, const std::vector<int8_t>& data) {
  const uint64_t loopEnd = static_cast<uint64_t>(data.size()) << 12;
  for (int f = 0; f < kRow; ++f) {
    int tick = std::min(f / kTick, 5);
    position %= loopEnd;
    int16_t expected = static_cast<int16_t>(64 * data[position >> 12]);
    ASSERT_EQ(out[firstFrame + f], expected) << "frame " << f << " tick " << tick;
    position += tickSteps[tick];
  }
}

std::vector<int16_t> render(const ModBuilder& builder, uint32_t frames) {
  std::vector<uint8_t> bytes = builder.build();
  SoundModule module;
  EXPECT_EQ(module.load(bytes.data(), bytes.size(), false), 0);
  test::OfflineMixer mixer(44100, 16, 0);
  EXPECT_EQ(mixer.system().playModule(&module, SoundSystem::kFreeChannel), 0);
  return mixer.render16(frames);
}

TEST(PitchEffects, HandWorkedSteps) {
  EXPECT_EQ(step(428), 776u);
  EXPECT_EQ(step(420), 791u);
  EXPECT_EQ(step(1712), 194u);
}

TEST(PitchEffects, OneRowEffectsFromANote) {
  struct Case {
    const char* what;
    int effect;
    int parameter;
    std::vector<int> periods;  // ticks 0..5
  };
  const std::vector<Case> cases = {
      {"slide up 8", 1, 0x08, {428, 420, 412, 404, 396, 388}},
      {"slide down 0x40", 2, 0x40, {428, 492, 556, 620, 684, 748}},
      // Note 24 (428); +4 is note 28 (339), +7 note 31 (285).
      {"arpeggio 47", 0, 0x47, {428, 339, 285, 428, 339, 285}},
      // Speed 4, depth 8: table entries 0, 97, 180, 235, 255 give d = 0, 6, 11, 14, 15.
      {"vibrato 48", 4, 0x48, {428, 428, 434, 439, 442, 443}},
  };
  const std::vector<int8_t> data = probe();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModBuilder mod;
    mod.sample(1, data, 64, 0, 0, static_cast<int>(data.size() / 2));
    mod.cell(0, 0, 0, {1, 428, c.effect, c.parameter});
    std::vector<int16_t> out = render(mod, kRow);
    std::vector<uint32_t> steps;
    for (int p : c.periods) {
      steps.push_back(step(p));
    }
    uint64_t position = 0;
    expectRow(out, 0, position, steps, data);
  }
}

// Arpeggio notes above a row's last note run on into the next finetune row
// (row 1 starts at 1699); only the table's own end holds them.
TEST(PitchEffects, ArpeggioRunsAcrossFinetuneRowsUpToTheTableEnd) {
  struct Case {
    const char* what;
    int finetune;
    std::vector<int> periods;  // ticks 0..5
  };
  const std::vector<int8_t> data = probe();
  for (const Case& c : {Case{"finetune 0", 0, {13, 1699, 13, 13, 1699, 13}},
                        Case{"finetune -1, the last row", 15, {13, 13, 13, 13, 13, 13}}}) {
    SCOPED_TRACE(c.what);
    ModBuilder mod;
    mod.sample(1, data, 64, c.finetune, 0, static_cast<int>(data.size() / 2));
    mod.cell(0, 0, 0, {1, 13, 0, 0x10});
    std::vector<int16_t> out = render(mod, kRow);
    std::vector<uint32_t> steps;
    for (int p : c.periods) {
      steps.push_back(step(p));
    }
    uint64_t position = 0;
    expectRow(out, 0, position, steps, data);
  }
}

TEST(PitchEffects, SlidesStopAtTheirLimits) {
  const std::vector<int8_t> data = probe();
  ModBuilder mod;
  mod.sample(1, data, 64, 0, 0, static_cast<int>(data.size() / 2));
  mod.cell(0, 0, 0, {1, 40, 1, 0x10}).cell(0, 1, 0, {1, 1616, 2, 0x40});
  std::vector<int16_t> out = render(mod, 2 * kRow);
  uint64_t position = 0;
  expectRow(out, 0, position, {step(40), step(24), step(13), step(13), step(13), step(13)}, data);
  position = 0;  // the note of row 1 starts the sample again
  expectRow(out, kRow, position, {step(1616), step(1680), step(1712), step(1712), step(1712), step(1712)}, data);
}

TEST(PitchEffects, TonePortamentoGlidesWithoutRestarting) {
  const std::vector<int8_t> data = probe();
  ModBuilder mod;
  mod.sample(1, data, 64, 0, 0, static_cast<int>(data.size() / 2));
  mod.cell(0, 0, 0, {1, 428, 0, 0}).cell(0, 1, 0, {0, 360, 3, 0x20}).cell(0, 2, 0, {0, 0, 3, 0});
  std::vector<int16_t> out = render(mod, 3 * kRow);
  uint64_t position = 0;
  expectRow(out, 0, position, std::vector<uint32_t>(6, step(428)), data);
  // Down by 32 a tick to 360 and no further; row 2 keeps the speed and the target.
  expectRow(out, kRow, position, {step(428), step(396), step(364), step(360), step(360), step(360)}, data);
  expectRow(out, 2 * kRow, position, std::vector<uint32_t>(6, step(360)), data);
}

TEST(PitchEffects, SampleOffsetAppliesAlsoWithoutANote) {
  const std::vector<int8_t> data = probe();
  ModBuilder mod;
  mod.sample(1, data, 64, 0, 0, static_cast<int>(data.size() / 2));
  mod.cell(0, 0, 0, {1, 428, 9, 0x02}).cell(0, 1, 0, {0, 0, 9, 0x00});
  std::vector<int16_t> out = render(mod, 2 * kRow);
  uint64_t position = 512 << 12;
  expectRow(out, 0, position, std::vector<uint32_t>(6, step(428)), data);
  position = 512 << 12;  // departure: the remembered offset is taken again on a row without a note
  expectRow(out, kRow, position, std::vector<uint32_t>(6, step(428)), data);
}

}  // namespace
}  // namespace nv::sound
