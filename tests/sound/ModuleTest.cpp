#include <gtest/gtest.h>

#include "ModBuilder.h"
#include "SoundTestSupport.h"
#include "sound/SoundModule.h"

namespace nv::sound {
namespace {

using test::ModBuilder;
using test::OfflineMixer;
using Cell = ModBuilder::Cell;

// 44.1 kHz, speed 6, 50 ticks per second: a tick is 882 + 1 frames, a row 6 * 883 + 1.
constexpr uint32_t kRowFrames = 5299;
constexpr int kC2 = 428;

std::vector<int8_t> constantSample(int8_t value, size_t bytes = 64) { return std::vector<int8_t>(bytes, value); }

ModBuilder loopedToneSong() {
  ModBuilder mod;
  mod.sample(1, constantSample(64), 64, 0, 0, 32);
  return mod;
}

struct Song {
  explicit Song(const ModBuilder& builder, bool loop = false) : bytes(builder.build()) {
    EXPECT_EQ(module.load(bytes.data(), bytes.size(), false), 0);
    module.setLoop(loop);
  }
  std::vector<uint8_t> bytes;
  SoundModule module;
};

// Mono 16-bit: one full-volume track on a sample byte of 64 gives 64 * 64 = 4096.
struct Player {
  explicit Player(const ModBuilder& builder, bool loop = false) : song(builder, loop) {
    handle = mixer.system().playModule(&song.module, SoundSystem::kFreeChannel);
    EXPECT_EQ(handle, 0);
  }
  std::vector<int16_t> render(uint32_t frames) { return mixer.render16(frames); }
  SoundChannel& channel() { return *mixer.system().getChannel(handle); }

  OfflineMixer mixer;
  Song song;
  int handle = -1;
};

// First frame from `from` on whose value differs from out[from].
size_t nextChange(const std::vector<int16_t>& out, size_t from) {
  for (size_t i = from + 1; i < out.size(); ++i) {
    if (out[i] != out[from]) {
      return i;
    }
  }
  return out.size();
}

TEST(SoundModule, ChannelCountsFromSignatures) {
  struct Case {
    const char* signature;
    int channels;
  };
  for (const Case& c : {Case{"M.K.", 4},
                        Case{"M!K!", 4},
                        Case{"6CHN", 6},
                        Case{"8CHN", 8},
                        Case{"16CH", 16},
                        Case{"32CH", 32},
                        Case{"48CH", 48},
                        Case{"FLT4", 0}}) {
    EXPECT_EQ(SoundModule::channelsFromSignature(reinterpret_cast<const uint8_t*>(c.signature)), c.channels)
        << c.signature;
  }
}

TEST(SoundModule, LoadsAcceptedVariantsAndRefusesOthers) {
  struct Case {
    const char* signature;
    int channels;
    int load;
    bool plays;
  };
  for (const Case& c : {Case{"M.K.", 4, 0, true},
                        Case{"M!K!", 4, 0, true},
                        Case{"16CH", 16, 0, true},
                        Case{"48CH", 48, 0, false},
                        Case{"FLT4", 4, -100, false}}) {
    SCOPED_TRACE(c.signature);
    ModBuilder builder(c.channels, c.signature);
    builder.sample(1, constantSample(10));
    std::vector<uint8_t> bytes = builder.build();
    SoundModule module;
    ASSERT_EQ(module.load(bytes.data(), bytes.size(), true), c.load);
    if (c.load == 0) {
      EXPECT_EQ(module.channelCount(), c.channels);
      OfflineMixer mixer;
      EXPECT_EQ(mixer.system().playModule(&module, SoundSystem::kFreeChannel) >= 0, c.plays);
    }
  }
}

TEST(SoundModule, RefusesShortAndEmptySongs) {
  ModBuilder builder;
  builder.sample(1, constantSample(10, 100));
  std::vector<uint8_t> bytes = builder.build();
  SoundModule module;
  EXPECT_EQ(module.load(nullptr, 0, false), -10);
  EXPECT_EQ(module.load(bytes.data(), 1083, false), -100);
  EXPECT_EQ(module.load(bytes.data(), 1084 + 1023, false), -100);  // pattern cut short
  ModBuilder empty;
  empty.songLengthByte(0);
  std::vector<uint8_t> emptyBytes = empty.build();
  EXPECT_EQ(module.load(emptyBytes.data(), emptyBytes.size(), false), -100);
}

TEST(SoundModule, CutsSamplesAndSongLengthToWhatIsThere) {
  ModBuilder builder;
  builder.sample(1, constantSample(10, 100), 200, 0x1F, 40, 20).sample(2, constantSample(5, 10));
  builder.songLengthByte(200);
  std::vector<uint8_t> bytes = builder.build();
  bytes.resize(bytes.size() - 60);  // the second sample and half the first are missing
  SoundModule module;
  ASSERT_EQ(module.load(bytes.data(), bytes.size(), true), 0);
  EXPECT_EQ(module.songLength(), 128);
  EXPECT_EQ(module.size(), bytes.size());
  SoundModule::SampleInfo first = module.sample(1);
  EXPECT_EQ(first.length, 50u);
  EXPECT_EQ(first.volume, 64u);    // header volume clamped
  EXPECT_EQ(first.finetune, 15u);  // finetune masked
  EXPECT_EQ(first.loopStart, 0u);  // loop start 80 lies beyond the 50 bytes present
  EXPECT_EQ(first.loopLength, 0u);
  EXPECT_EQ(module.sample(2).data, nullptr);
}

TEST(SoundModule, PatternsStoredAboveThePlayedOnesAreSkipped) {
  ModBuilder builder;
  builder.sample(1, constantSample(33, 8)).orders({0, 2}).songLengthByte(1);
  std::vector<uint8_t> bytes = builder.build();
  SoundModule module;
  ASSERT_EQ(module.load(bytes.data(), bytes.size(), false), 0);
  EXPECT_EQ(module.patternCount(), 3);
  EXPECT_EQ(module.sample(1).data[0], 33);
}

TEST(ModulePlayer, RowTimingAndSongEnd) {
  ModBuilder mod = loopedToneSong();
  mod.cell(0, 0, 0, {1, kC2, 0, 0}).cell(0, 1, 0, {0, 0, 12, 0});
  Player player(mod);
  std::vector<int16_t> out = player.render(kRowFrames + 10);
  EXPECT_EQ(out[0], 4096);
  EXPECT_EQ(nextChange(out, 0), kRowFrames);
  player.render(62 * kRowFrames - 10);
  EXPECT_TRUE(player.channel().isPlaying());
  // One order, no loop: the frame that reads row 63 ends the song and adds nothing.
  EXPECT_EQ(player.render(1)[0], 0);
  EXPECT_FALSE(player.channel().isPlaying());
}

TEST(ModulePlayer, LoopingSongRestarts) {
  ModBuilder mod = loopedToneSong();
  mod.cell(0, 0, 0, {1, kC2, 0, 0}).cell(0, 63, 0, {0, 0, 12, 0});
  Player player(mod, true);
  std::vector<int16_t> out = player.render(65 * kRowFrames);
  EXPECT_TRUE(player.channel().isPlaying());
  EXPECT_EQ(out[63 * kRowFrames + 5], 0);
  EXPECT_EQ(out[64 * kRowFrames + 5], 4096);
}

TEST(ModulePlayer, SpeedAndTempo) {
  struct Case {
    int parameter;
    size_t rowFrames;
  };
  // F03: speed 3; F64 (100): 40 ticks per second, 1102 + 1 frames a tick; F7D (125) keeps 50.
  for (const Case& c : {Case{3, 3 * 883 + 1}, Case{100, 6 * 1103 + 1}, Case{125, kRowFrames}, Case{0, kRowFrames}}) {
    SCOPED_TRACE(c.parameter);
    ModBuilder mod = loopedToneSong();
    mod.cell(0, 0, 0, {1, kC2, 15, c.parameter}).cell(0, 1, 0, {0, 0, 12, 0});
    Player player(mod);
    EXPECT_EQ(nextChange(player.render(8000), 0), c.rowFrames);
  }
}

TEST(ModulePlayer, VolumeEffects) {
  struct Case {
    const char* what;
    Cell cell;
    std::vector<std::pair<size_t, int16_t>> expected;  // frame, value
  };
  const size_t tick = 883;
  std::vector<Case> cases = {
      {"C7F is taken unclamped", {1, kC2, 12, 0x7F}, {{0, 127 * 64}}},
      {"CFF", {1, kC2, 12, 0xFF}, {{0, 255 * 64}}},
      {"C20", {1, kC2, 12, 0x20}, {{0, 2048}}},
      {"A04 slides down 4 a tick", {1, kC2, 10, 0x04}, {{tick - 1, 4096}, {tick, 60 * 64}, {5 * tick, 44 * 64}}},
      {"EA3 at the row, at most 64", {1, kC2, 14, 0xA3}, {{0, 4096}}},
      {"EB4", {1, kC2, 14, 0xB4}, {{0, 60 * 64}}},
      {"EC2 cuts at tick 2", {1, kC2, 14, 0xC2}, {{2 * tick - 1, 4096}, {2 * tick, 0}}},
      {"EC0 cuts at tick 1", {1, kC2, 14, 0xC0}, {{tick - 1, 4096}, {tick, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModBuilder mod = loopedToneSong();
    mod.cell(0, 0, 0, c.cell);
    Player player(mod);
    std::vector<int16_t> out = player.render(kRowFrames);
    for (auto [frame, value] : c.expected) {
      EXPECT_EQ(out[frame], value) << frame;
    }
  }
}

TEST(ModulePlayer, NoteDelayStartsTheNoteAtTickYPlusOne) {
  ModBuilder mod;
  mod.sample(1, constantSample(64), 64, 0, 0, 32).sample(2, constantSample(32, 64), 64);
  // The tone runs on sample 1; ED2 with sample 2 starts it over at tick 3 (not a pitch change only).
  mod.cell(0, 0, 0, {1, kC2, 0, 0}).cell(0, 1, 0, {2, 214, 14, 0xD2});
  Player player(mod);
  std::vector<int16_t> out = player.render(2 * kRowFrames);
  // Sample 2 takes over at once at the old position and soon runs past its end.
  const size_t delayed = kRowFrames + 3 * 883;
  EXPECT_EQ(out[delayed - 1], 0);
  EXPECT_EQ(out[delayed], 32 * 64);
  // Sample 2 is 64 bytes unlooped at period 214 (step 1553): it plays 168 frames, then stops.
  EXPECT_EQ(out[delayed + 168], 32 * 64);
  EXPECT_EQ(out[delayed + 169], 0);
}

TEST(ModulePlayer, JumpsBreaksAndLoops) {
  // Each pattern plays its own sample value on row 0, so the output names the pattern playing.
  auto song = [](int patterns) {
    ModBuilder mod;
    for (int p = 0; p < patterns; ++p) {
      mod.sample(p + 1, constantSample(static_cast<int8_t>(10 * (p + 1))), 64, 0, 0, 32);
      mod.cell(p, 0, 0, {p + 1, kC2, 0, 0});
    }
    return mod;
  };
  auto valueOfPattern = [](int p) { return static_cast<int16_t>(10 * (p + 1) * 64); };
  {
    SCOPED_TRACE("B00 backwards without loop ends the song");
    ModBuilder mod = song(2);
    mod.orders({0, 1}).cell(1, 0, 1, {0, 0, 11, 0});
    Player player(mod);
    EXPECT_EQ(player.render(64 * kRowFrames).back(), valueOfPattern(0));
    EXPECT_TRUE(player.channel().isPlaying());
    // Row 0 of order 1 holds the jump: its frame stops the channel.
    EXPECT_EQ(player.render(1)[0], 0);
    EXPECT_FALSE(player.channel().isPlaying());
  }
  {
    SCOPED_TRACE("B00 backwards with loop jumps");
    ModBuilder mod = song(2);
    mod.orders({0, 1}).cell(1, 0, 1, {0, 0, 11, 0});
    Player player(mod, true);
    player.render(65 * kRowFrames + 10);
    EXPECT_EQ(player.render(1)[0], valueOfPattern(0));
    EXPECT_TRUE(player.channel().isPlaying());
  }
  {
    SCOPED_TRACE("D with row above 63 goes to row 0 of the next order");
    ModBuilder mod = song(2);
    mod.orders({0, 1}).cell(0, 0, 1, {0, 0, 13, 0x99});
    Player player(mod);
    std::vector<int16_t> out = player.render(kRowFrames + 10);
    EXPECT_EQ(out[kRowFrames + 1], valueOfPattern(1));
    EXPECT_EQ(player.channel().getPosition(), 64 + 1);
  }
  {
    SCOPED_TRACE("E6x plays rows y + 1 times");
    ModBuilder mod = loopedToneSong();
    mod.cell(0, 0, 0, {1, kC2, 14, 0x60}).cell(0, 1, 0, {0, 0, 14, 0x62}).cell(0, 2, 0, {0, 0, 12, 0});
    Player player(mod);
    std::vector<int16_t> out = player.render(7 * kRowFrames);
    EXPECT_EQ(nextChange(out, 0), 6 * kRowFrames);  // rows 0, 1 three times
  }
  {
    SCOPED_TRACE("EE2 holds the row three times");
    ModBuilder mod = loopedToneSong();
    mod.cell(0, 0, 0, {1, kC2, 14, 0xE2}).cell(0, 1, 0, {0, 0, 12, 0});
    Player player(mod);
    std::vector<int16_t> out = player.render(4 * kRowFrames);
    EXPECT_EQ(nextChange(out, 0), 3 * kRowFrames);
  }
}

TEST(ModulePlayer, PositionsAndVolumeSlots) {
  ModBuilder mod = loopedToneSong();
  mod.orders({0, 0, 0, 5}).cell(5, 0, 0, {1, kC2, 0, 0});
  Player player(mod);
  SoundChannel& channel = player.channel();
  EXPECT_EQ(channel.getLength(), 4 * 64);
  channel.setPosition(3 * 64 + 10);
  EXPECT_EQ(channel.getPosition(), 5 * 64 + 10);
  channel.setPosition(-5);
  channel.setPosition(4 * 64);
  EXPECT_EQ(channel.getPosition(), 5 * 64 + 10);
  channel.setVolume(200);
  EXPECT_EQ(channel.volume(), 64u);
  player.mixer.system().setMusicVolume(32);
  EXPECT_EQ(channel.getMixVolume(), 32u);
  channel.setPanning(-5);
  EXPECT_EQ(channel.panning(), 255u);
}

TEST(ModulePlayer, StereoPanningIsLeftRightLeftRight) {
  ModBuilder mod;
  mod.sample(1, constantSample(64), 64, 0, 0, 32);
  mod.cell(0, 0, 0, {1, kC2, 0, 0}).cell(0, 0, 1, {0, 0, 0, 0});
  OfflineMixer mixer(44100, 16, 1);
  Song song(mod);
  ASSERT_EQ(mixer.system().playModule(&song.module, SoundSystem::kFreeChannel), 0);
  std::vector<int16_t> out = mixer.render16(2);
  // Separation 255: channel 0 pan 64: r = 64 * 64 >> 8 = 16, s = 128: L = 48 * 128, R = 16 * 128.
  EXPECT_EQ(out[0], 48 * 128);
  EXPECT_EQ(out[1], 16 * 128);
}

TEST(ModulePlayer, HostileCellsStayInBounds) {
  // Sample numbers above 31, 12-bit periods, vibrato and arpeggio at the table edges.
  ModBuilder mod = loopedToneSong();
  mod.cell(0, 0, 0, {0xF1, 0xFFF, 0, 0xFF})
      .cell(0, 1, 0, {1, 0xFFF, 4, 0xFF})
      .cell(0, 2, 0, {1, 13, 4, 0xFF})
      .cell(0, 3, 0, {1, 13, 0, 0xFF})
      .cell(0, 4, 0, {1, 4000, 3, 0xFF})
      .cell(0, 5, 0, {1, 13, 9, 0xFF})
      .cell(0, 6, 0, {0, 0, 13, 0xFF});
  Player player(mod);
  player.render(8 * kRowFrames);
  EXPECT_FALSE(player.channel().isPlaying());
}

}  // namespace
}  // namespace nv::sound
