#include "platform/sdl/audio/SdlWaveOutDriver.h"

#include <SDL.h>

#include "platform/waveout/WaveOutStream.h"

namespace wce::sdl {

namespace {

constexpr Uint16 kDeviceFrames = 1024;

class SdlPort : public WaveOutPort {
public:
  SdlPort(SDL_AudioDeviceID device) : device_(device) {}
  // Closing waits for a running callback, so the stream is no longer used after this.
  ~SdlPort() override { SDL_CloseAudioDevice(device_); }
  void paused(bool isPaused) override { SDL_PauseAudioDevice(device_, isPaused ? 1 : 0); }

  static void SDLCALL pull(void* user, Uint8* out, int length) {
    static_cast<WaveOutStream*>(user)->pull(out, static_cast<size_t>(length));
  }

private:
  SDL_AudioDeviceID device_;
};

}  // namespace

SdlWaveOutDriver::SdlWaveOutDriver() : ready_(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {}

SdlWaveOutDriver::~SdlWaveOutDriver() {
  if (ready_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

uint32_t SdlWaveOutDriver::deviceCount() const { return ready_ ? 1 : 0; }

std::unique_ptr<WaveOutPort> SdlWaveOutDriver::open(uint32_t deviceId, WaveOutStream& stream) {
  if (!ready_ || deviceId != 0) {
    return nullptr;
  }
  const WAVEFORMATEX& format = stream.format();
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.samplesPerSec);
  want.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = kDeviceFrames;
  want.callback = &SdlPort::pull;
  want.userdata = &stream;
  SDL_AudioSpec have{};
  SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    return nullptr;
  }
  SDL_PauseAudioDevice(device, stream.paused() ? 1 : 0);
  return std::make_unique<SdlPort>(device);
}

}  // namespace wce::sdl
