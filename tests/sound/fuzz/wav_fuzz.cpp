// Loads any byte string as a WAV sound, in place and copied, and mixes what
// loads, once and looped: every outcome but a load code or mixed sound is a
// fault (the sanitizers report crashes and reads past the bytes).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/SoundSample.h"
#include "tests/sound/SoundTestSupport.h"

using nv::sound::SoundSample;
using nv::sound::SoundSystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  static nv::sound::test::OfflineMixer mixer(22050, 16, 1);
  // An exact-size copy, so that a read past the end is seen.
  const std::vector<uint8_t> bytes(data, data + size);
  for (bool copy : {false, true}) {
    SoundSample sample;
    const int result = sample.loadWav(bytes.data(), bytes.size(), copy);
    if (result != SoundSample::kOk && result != SoundSample::kNoMemory && result != SoundSample::kBadFormat &&
        result != SoundSample::kNoFormatChunk)
      std::abort();
    if (result != SoundSample::kOk) continue;
    sample.setLoop(copy);
    if (mixer.system().playSample(&sample, SoundSystem::kFreeChannel) >= 0) mixer.render16(4096);
    mixer.system().stopAllSamples();
  }
  return 0;
}
