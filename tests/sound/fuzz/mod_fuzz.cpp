// Loads any byte string as a MOD song and plays a second of what loads:
// every outcome but a load code or mixed sound is a fault (the sanitizers
// report crashes and reads past the bytes).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/SoundModule.h"
#include "tests/sound/SoundTestSupport.h"

using nv::sound::SoundModule;
using nv::sound::SoundSystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  static nv::sound::test::OfflineMixer mixer(22050, 16, 1);
  // An exact-size copy, so that a read past the end is seen.
  const std::vector<uint8_t> bytes(data, data + size);
  SoundModule module;
  const int result = module.load(bytes.data(), bytes.size(), false);
  if (result != SoundModule::kOk && result != SoundModule::kNoMemory && result != SoundModule::kNotModule) std::abort();
  if (result != SoundModule::kOk) return 0;
  if (mixer.system().playModule(&module, SoundSystem::kFreeChannel) >= 0) mixer.render16(22050);
  mixer.system().stopAllModules();
  return 0;
}
