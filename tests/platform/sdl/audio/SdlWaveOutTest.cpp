#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/sdl/audio/SdlWaveOutDriver.h"
#include "platform/threads/Semaphore.h"
#include "platform/threads/Wait.h"
#include "platform/waveout/WaveOut.h"
#include "sound/SoundSample.h"
#include "sound/SoundSystem.h"

namespace wce::sdl {
namespace {

// Runs SDL's disk driver into a temporary file for one test.
class DiskAudio : public ::testing::Test {
protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "nv_disk_audio_" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
    driver_ = std::make_shared<SdlWaveOutDriver>();
    installWaveOutDriver(driver_);
    ASSERT_EQ(waveOutGetNumDevs(), 1u);
  }
  void TearDown() override {
    installWaveOutDriver(nullptr);
    driver_.reset();
    std::remove(path_.c_str());
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  // The 16-bit samples written to the file, silent frames left out.
  std::vector<int16_t> soundWritten() {
    std::ifstream in(path_, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      int16_t s = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
      if (s != 0) {
        samples.push_back(s);
      }
    }
    return samples;
  }

  std::string path_;
  std::shared_ptr<SdlWaveOutDriver> driver_;
};

void countDone(HWAVEOUT, uint32_t message, uintptr_t instance, uintptr_t, uintptr_t) {
  if (message == WOM_DONE) {
    reinterpret_cast<Semaphore*>(instance)->ReleaseSemaphore(1);
  }
}

TEST_F(DiskAudio, PlaysEveryBufferOnceInOrder) {
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
  Semaphore done(0, 100);
  HWAVEOUT handle = nullptr;
  ASSERT_EQ(waveOutOpen(&handle, 0, &format, &countDone, reinterpret_cast<uintptr_t>(&done), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  constexpr int kBuffers = 8;
  constexpr int kSamples = 700;
  std::vector<std::vector<int16_t>> data(kBuffers, std::vector<int16_t>(kSamples));
  std::vector<WAVEHDR> headers(kBuffers);
  std::vector<int16_t> expected;
  for (int b = 0; b < kBuffers; ++b) {
    for (int i = 0; i < kSamples; ++i) {
      data[b][i] = static_cast<int16_t>(1 + b * kSamples + i);
      expected.push_back(data[b][i]);
    }
    headers[b].data = reinterpret_cast<uint8_t*>(data[b].data());
    headers[b].bufferLength = kSamples * 2;
    ASSERT_EQ(waveOutPrepareHeader(handle, &headers[b], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(handle, &headers[b], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  for (int b = 0; b < kBuffers; ++b) {
    ASSERT_EQ(done.WaitForSingleObject(10000), WAIT_OBJECT_0);
  }
  for (WAVEHDR& h : headers) {
    EXPECT_EQ(waveOutUnprepareHeader(handle, &h, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  EXPECT_EQ(waveOutClose(handle), MMSYSERR_NOERROR);
  EXPECT_EQ(soundWritten(), expected);
}

TEST_F(DiskAudio, SoundSystemToneEqualsTheOfflineMix) {
  // A 16-bit mono ramp that never mixes to 0, played once on a centred full-volume channel.
  constexpr int kFrames = 4000;
  std::vector<uint8_t> wav = {'R',  'I',  'F', 'F', 0, 0, 0,  0, 'W', 'A', 'V',  'E',  'f', 'm',
                              't',  ' ',  16,  0,   0, 0, 1,  0, 1,   0,   0x22, 0x56, 0,   0,
                              0x44, 0xAC, 0,   0,   2, 0, 16, 0, 'd', 'a', 't',  'a'};
  uint32_t dataBytes = kFrames * 2;
  for (int i = 0; i < 4; ++i) {
    wav.push_back(static_cast<uint8_t>(dataBytes >> (8 * i)));
  }
  for (int i = 0; i < kFrames; ++i) {
    int16_t v = static_cast<int16_t>(200 + 7 * i);
    wav.push_back(static_cast<uint8_t>(v & 0xFF));
    wav.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
  }
  nv::sound::SoundSample sample;
  ASSERT_EQ(sample.loadWav(wav.data(), wav.size(), false), 0);
  std::vector<int16_t> expected;
  for (int i = 0; i < kFrames; ++i) {
    expected.push_back(static_cast<int16_t>((64 * (200 + 7 * i)) >> 7));
  }
  {
    nv::sound::SoundSystem system;
    ASSERT_EQ(system.open(22050, 16, 0, 1, 8), 0);
    int handle = system.playSample(&sample, nv::sound::SoundSystem::kFreeChannel);
    ASSERT_GE(handle, 0);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (system.getChannel(handle)->isPlaying() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(system.getChannel(handle)->isPlaying());
    // Let the ring play out what was mixed.
    while (soundWritten().size() < expected.size() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    system.close();
  }
  EXPECT_EQ(soundWritten(), expected);
}

}  // namespace
}  // namespace wce::sdl
