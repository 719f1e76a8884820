#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>
#include <xmp.h>

#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOutDriver.h"
#include "sound/SixteenBitOutput.h"
#include "sound/SoundModule.h"
#include "sound/SoundSample.h"
#include "sound/SoundSystem.h"
#include "tests/sound/ModBuilder.h"
#include "tests/sound/WavBuilder.h"

// 60 s of a 4-channel song at 44.1 kHz stereo 16-bit, ours (nearest sample,
// no interpolation) beside libxmp rendering the same song with nearest and with
// linear interpolation; and ours with 8 sound effects on top. Then each 16-bit
// output writer alone.
namespace {

using nv::sound::SoundModule;
using nv::sound::SoundSample;
using nv::sound::SoundSystem;
using nv::sound::test::ModBuilder;

constexpr int kRate = 44100;
constexpr int kSeconds = 60;
constexpr uint32_t kBufferBytes = 5296;  // one 30 ms buffer, stereo 16-bit

std::vector<uint8_t> song() {
  ModBuilder mod;
  for (int s = 1; s <= 4; ++s) {
    std::vector<int8_t> data(2000);
    for (size_t i = 0; i < data.size(); ++i) {
      data[i] = static_cast<int8_t>(100 * std::sin(i * 0.05 * s));
    }
    mod.sample(s, data, 48, 0, 200, 800);
  }
  const int periods[] = {428, 381, 339, 320, 285, 254, 226, 214};
  const int effects[][2] = {{0, 0x37}, {4, 0x44}, {10, 0x02}, {3, 0x08}, {1, 0x02}, {2, 0x02}, {12, 0x30}, {0, 0}};
  for (int p = 0; p < 4; ++p) {
    for (int row = 0; row < 64; row += 2) {
      for (int c = 0; c < 4; ++c) {
        int k = (row / 2 + c + p) % 8;
        mod.cell(p, row, c, {1 + (c + p) % 4, periods[k], effects[k][0], effects[k][1]});
      }
    }
  }
  mod.orders({0, 1, 2, 3});
  return mod.build();
}

struct Scene {
  Scene() : driver(std::make_shared<wce::ManualWaveOutDriver>()), modBytes(song()) {
    wce::installWaveOutDriver(driver);
    system.open(kRate, 16, 1, 4, 8);
    module.load(modBytes.data(), modBytes.size(), false);
    module.setLoop(true);
    std::vector<int> tone;
    for (int i = 0; i < 22050; ++i) {
      tone.push_back(static_cast<int>(8000 * std::sin(i * 0.03)));
    }
    wavBytes = nv::sound::test::makeWav(16, 1, 22050, tone);
    sample.loadWav(wavBytes.data(), wavBytes.size(), false);
    sample.setLoop(true);
  }
  ~Scene() {
    system.close();
    wce::installWaveOutDriver(nullptr);
  }
  void start(int effects = 8) {
    system.stopAllModules();
    system.stopAllSamples();
    system.playModule(&module, SoundSystem::kFreeChannel);
    for (int i = 0; i < effects; ++i) {
      sample.setPanning(static_cast<uint32_t>(i * 32));
      system.playSample(&sample, SoundSystem::kFreeChannel);
    }
  }
  void mixMinute(std::vector<uint8_t>& buffer) {
    for (uint64_t done = 0; done < static_cast<uint64_t>(kRate) * kSeconds * 4; done += kBufferBytes) {
      system.mix(buffer.data(), kBufferBytes);
    }
  }

  std::shared_ptr<wce::ManualWaveOutDriver> driver;
  SoundSystem system;
  std::vector<uint8_t> modBytes;
  std::vector<uint8_t> wavBytes;
  SoundModule module;
  SoundSample sample;
};

void libxmpMinute(const std::vector<uint8_t>& modBytes, std::vector<uint8_t>& buffer, int interpolation) {
  xmp_context context = xmp_create_context();
  xmp_load_module_from_memory(context, modBytes.data(), static_cast<long>(modBytes.size()));
  xmp_start_player(context, kRate, 0);
  xmp_set_player(context, XMP_PLAYER_INTERP, interpolation);
  for (uint64_t done = 0; done < static_cast<uint64_t>(kRate) * kSeconds * 4; done += kBufferBytes) {
    xmp_play_buffer(context, buffer.data(), kBufferBytes, 0);
  }
  xmp_end_player(context);
  xmp_release_module(context);
  xmp_free_context(context);
}

// Argument: the number of sound effects playing beside the song.
void BM_MixMinute(benchmark::State& state) {
  Scene scene;
  std::vector<uint8_t> buffer(kBufferBytes);
  for (auto _ : state) {
    scene.start(static_cast<int>(state.range(0)));
    scene.mixMinute(buffer);
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_MixMinute)->Arg(0)->Arg(8)->Unit(benchmark::kMillisecond);

// The same song as libxmp renders it; argument: its interpolation.
void BM_LibxmpMinute(benchmark::State& state) {
  std::vector<uint8_t> modBytes = song();
  std::vector<uint8_t> buffer(kBufferBytes);
  for (auto _ : state) {
    libxmpMinute(modBytes, buffer, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_LibxmpMinute)->Arg(XMP_INTERP_NEAREST)->Arg(XMP_INTERP_LINEAR)->Unit(benchmark::kMillisecond);

// The song alone, ours and libxmp's nearest in turn within each iteration; the
// counter gives our time over libxmp's.
void BM_MixVersusLibxmp(benchmark::State& state) {
  Scene scene;
  std::vector<uint8_t> buffer(kBufferBytes);
  double ours = 0;
  double theirs = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    scene.start(0);
    scene.mixMinute(buffer);
    auto t1 = std::chrono::steady_clock::now();
    libxmpMinute(scene.modBytes, buffer, XMP_INTERP_NEAREST);
    auto t2 = std::chrono::steady_clock::now();
    ours += std::chrono::duration<double>(t1 - t0).count();
    theirs += std::chrono::duration<double>(t2 - t1).count();
    benchmark::DoNotOptimize(buffer.data());
  }
  state.counters["ours_over_libxmp"] = ours / theirs;
}
BENCHMARK(BM_MixVersusLibxmp)->Unit(benchmark::kMillisecond);

// Opening and closing the sound system's output, as start-up and shutdown do.
void BM_OpenAndCloseOutput(benchmark::State& state) {
  auto driver = std::make_shared<wce::ManualWaveOutDriver>();
  wce::installWaveOutDriver(driver);
  for (auto _ : state) {
    SoundSystem system;
    benchmark::DoNotOptimize(system.open(kRate, 16, 1, 4, 8));
    system.close();
  }
  wce::installWaveOutDriver(nullptr);
}
BENCHMARK(BM_OpenAndCloseOutput)->Unit(benchmark::kMillisecond);

// One mixing chunk of 512 stereo frames, half of them past the 16-bit range.
void BM_SixteenBitOutput(benchmark::State& state, nv::sound::SixteenBitWriter write) {
  constexpr uint32_t kFrames = 512;
  std::vector<int32_t> left(kFrames), right(kFrames);
  for (uint32_t i = 0; i < kFrames; ++i) {
    left[i] = static_cast<int32_t>(i * 131) - 33000;
    right[i] = 33000 - static_cast<int32_t>(i * 127);
  }
  std::vector<int16_t> out(2 * kFrames);
  for (auto _ : state) {
    write(out.data(), left.data(), right.data(), kFrames, true);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFrames);
}

// One row a writer: BM_SixteenBitOutput/<writer>.
[[maybe_unused]] const bool kWritersRegistered = [] {
  for (const nv::sound::SixteenBitWriterSet& set : nv::sound::sixteenBitWriters()) {
    benchmark::RegisterBenchmark(
        (std::string("BM_SixteenBitOutput/") + set.name).c_str(), BM_SixteenBitOutput, set.write);
  }
  return true;
}();

}  // namespace
