#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOut.h"
#include "platform/waveout/WaveOutDriver.h"
#include "sound/SoundSystem.h"

namespace nv::sound::test {

inline std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string dataPath(const std::string& name) { return std::string(NV_TEST_DATA_DIR) + "/" + name; }

// Installs a manual wave-out driver for the life of a test.
class ManualDriverScope {
public:
  explicit ManualDriverScope(uint32_t devices = 1) : driver_(std::make_shared<wce::ManualWaveOutDriver>(devices)) {
    wce::installWaveOutDriver(driver_);
  }
  ~ManualDriverScope() { wce::installWaveOutDriver(nullptr); }
  wce::ManualWaveOutDriver& driver() { return *driver_; }

private:
  std::shared_ptr<wce::ManualWaveOutDriver> driver_;
};

// A sound system open on the manual driver, mixed by the test itself.
class OfflineMixer {
public:
  OfflineMixer(int rate = 44100, int bits = 16, int stereo = 0, int music = 1, int sfx = 8) {
    result_ = system_.open(rate, bits, stereo, music, sfx);
  }
  int openResult() const { return result_; }
  SoundSystem& system() { return system_; }

  std::vector<int16_t> render16(uint32_t samples) {
    std::vector<int16_t> out(samples);
    system_.mix(reinterpret_cast<uint8_t*>(out.data()), samples * 2);
    return out;
  }
  std::vector<uint8_t> render8(uint32_t samples) {
    std::vector<uint8_t> out(samples);
    system_.mix(out.data(), samples);
    return out;
  }

private:
  ManualDriverScope scope_;
  SoundSystem system_;
  int result_;
};

}  // namespace nv::sound::test
