#include "sound/SoundSystem.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "sound/SixteenBitOutput.h"
#include "sound/SoundModule.h"
#include "sound/SoundSample.h"

namespace nv::sound {

namespace {

constexpr int kMinMusic = 1;
constexpr int kMaxMusic = 64;
constexpr int kMinSfx = 8;
constexpr int kMaxSfx = 128;

int32_t clip(int32_t value, int32_t low, int32_t high) { return value < low ? low : (value > high ? high : value); }

uint32_t groupVolume(int volume) { return (volume < 0 || volume > 64) ? 64 : static_cast<uint32_t>(volume); }

}  // namespace

SoundSystem::SoundSystem() = default;

SoundSystem::~SoundSystem() { close(); }

int SoundSystem::open(int frequency, int bitsPerSample, int stereo, int musicChannels, int sfxChannels) {
  if (open_) {
    return -2;
  }
  try {
    device_ = std::make_unique<WaveOutDevice>();
  } catch (const std::bad_alloc&) {
    return -5;
  }
  OutputFormat format;
  format.rate = frequency > 0 ? static_cast<uint32_t>(frequency) : 0;
  format.channels = stereo == 1 ? 2 : 1;
  format.flags = bitsPerSample == 8 ? (OutputFormat::k8Bit | OutputFormat::kUnsigned)
                                    : (OutputFormat::k16Bit | OutputFormat::kSigned);
  const uint32_t bufferFrames = static_cast<uint32_t>(static_cast<uint64_t>(kBufferMs) * format.rate / 1000);
  int result = device_->open(&format, bufferFrames, &SoundSystem::fillCallback, this);
  if (result != 0) {
    device_.reset();
    return result;
  }
  outputRate_ = format.rate;
  channelsMinusOne_ = format.channels - 1;
  sixteenBit_ = (format.flags & OutputFormat::k16Bit) != 0;
  try {
    tables_ = std::make_unique<PeriodTables>(outputRate_);
    int musicCount = std::clamp(musicChannels, kMinMusic, kMaxMusic);
    music_.reserve(musicCount);
    for (int i = 0; i < musicCount; ++i) {
      music_.push_back(std::make_unique<ModulePlayer>(this));
    }
    activeMusic_.reserve(musicCount);
    musicVolume_ = 64;
    int sfxCount = std::clamp(sfxChannels, kMinSfx, kMaxSfx);
    sfx_.reserve(sfxCount);
    for (int i = 0; i < sfxCount; ++i) {
      sfx_.push_back(std::make_unique<SamplePlayer>(this));
    }
    activeSfx_.reserve(sfxCount);
    sfxVolume_ = 64;
  } catch (const std::bad_alloc&) {
    device_->close();
    device_.reset();
    releaseChannels();
    return -10;
  }
  device_->resume();
  open_ = true;
  return 0;
}

void SoundSystem::releaseChannels() {
  music_.clear();
  activeMusic_.clear();
  sfx_.clear();
  activeSfx_.clear();
  tables_.reset();
}

int SoundSystem::close() {
  if (open_) {
    device_->close();
    open_ = false;
  }
  device_.reset();
  releaseChannels();
  return 0;
}

void SoundSystem::pause() {
  if (open_) {
    device_->pause();
  }
}

void SoundSystem::resume() {
  if (open_) {
    device_->resume();
  }
}

void SoundSystem::lock() {
  if (device_) {
    device_->lock();
  }
}

void SoundSystem::unlock() {
  if (device_) {
    device_->unlock();
  }
}

SoundChannel* SoundSystem::getChannel(int handle) {
  if (handle < 0) {
    return nullptr;
  }
  if (handle < musicChannelCount()) {
    return music_[handle].get();
  }
  if (handle < musicChannelCount() + sfxChannelCount()) {
    return sfx_[handle - musicChannelCount()].get();
  }
  return nullptr;
}

int SoundSystem::takeSfxChannel(const SoundSample& sample, uint32_t flags) {
  const int32_t limit = sample.instanceLimit();
  if ((flags & kFreeChannel) != 0) {
    int chosen = -1;
    int32_t sameSample = 0;
    for (int i = 0; i < sfxChannelCount(); ++i) {
      SamplePlayer& channel = *sfx_[i];
      if (channel.freeLocked()) {
        chosen = i;
        if (limit == -1) {
          return chosen;
        }
      } else if (channel.data_ == sample.data()) {
        ++sameSample;
      }
    }
    if (limit != -1 && sameSample >= limit) {
      return -1;
    }
    return chosen;
  }
  int index = static_cast<int>(flags & 0xFFFF);
  if (index >= sfxChannelCount() || !sfx_[index]->freeLocked()) {
    return -1;
  }
  if (limit != -1) {
    int32_t busy = 0;
    for (const auto& channel : sfx_) {
      busy += channel->freeLocked() ? 0 : 1;
    }
    if (busy >= limit) {
      return -1;
    }
  }
  return index;
}

int SoundSystem::playSample(const SoundSample* sample, uint32_t flags) {
  if (!open_ || sample == nullptr || sample->data() == nullptr) {
    return kNoChannel;
  }
  std::lock_guard<SoundSystem> guard(*this);
  int index = takeSfxChannel(*sample, flags);
  if (index < 0) {
    return kNoChannel;
  }
  SamplePlayer& channel = *sfx_[index];
  channel.setup(*sample);
  channel.start((flags & kStartPaused) != 0);
  return musicChannelCount() + index;
}

int SoundSystem::takeMusicChannel(uint32_t flags) {
  if ((flags & kFreeChannel) != 0) {
    for (int i = 0; i < musicChannelCount(); ++i) {
      if (music_[i]->freeLocked()) {
        return i;
      }
    }
    return -1;
  }
  int index = static_cast<int>(flags & 0xFFFF);
  if (index >= musicChannelCount() || !music_[index]->freeLocked()) {
    return -1;
  }
  return index;
}

int SoundSystem::playModule(const SoundModule* module, uint32_t flags) {
  if (!open_ || module == nullptr || module->bytes() == nullptr) {
    return kNoChannel;
  }
  int channels = module->channelCount();
  if (channels <= 0 || channels > kMaxModuleChannels) {
    return kNoChannel;
  }
  std::lock_guard<SoundSystem> guard(*this);
  int index = takeMusicChannel(flags);
  if (index < 0) {
    return kNoChannel;
  }
  ModulePlayer& channel = *music_[index];
  channel.startSong(*module, *tables_, outputRate_);
  channel.setPanning(static_cast<int>(module->separation()));
  channel.setLooping(module->loop());
  channel.setVolume(static_cast<int>(module->volume()));
  channel.start((flags & kStartPaused) != 0);
  return index;
}

void SoundSystem::stopAllSamples() {
  if (!open_) {
    return;
  }
  std::lock_guard<SoundSystem> guard(*this);
  for (auto& channel : sfx_) {
    channel->stopLocked();
  }
}

void SoundSystem::stopAllModules() {
  if (!open_) {
    return;
  }
  std::lock_guard<SoundSystem> guard(*this);
  for (auto& channel : music_) {
    channel->stopLocked();
  }
}

void SoundSystem::setSfxVolume(int volume) {
  std::lock_guard<SoundSystem> guard(*this);
  sfxVolume_ = groupVolume(volume);
  for (auto& channel : sfx_) {
    channel->setVolume(static_cast<int>(channel->volume_));
  }
}

void SoundSystem::setMusicVolume(int volume) {
  std::lock_guard<SoundSystem> guard(*this);
  musicVolume_ = groupVolume(volume);
  for (auto& channel : music_) {
    channel->setVolume(static_cast<int>(channel->volume_));
  }
}

uint32_t SoundSystem::getSfxVolume() const { return sfxVolume_; }

uint32_t SoundSystem::getMusicVolume() const { return musicVolume_; }

void SoundSystem::fillCallback(void* user, uint8_t* buffer, uint32_t byteCount) {
  if (user != nullptr) {
    static_cast<SoundSystem*>(user)->mix(buffer, byteCount);
  }
}

void SoundSystem::mix(uint8_t* buffer, uint32_t byteCount) {
  std::lock_guard<SoundSystem> guard(*this);
  activeMusic_.clear();
  for (auto& channel : music_) {
    if (channel->playingLocked()) {
      activeMusic_.push_back(channel.get());
    }
  }
  activeSfx_.clear();
  for (auto& channel : sfx_) {
    if (channel->playingLocked()) {
      activeSfx_.push_back(channel.get());
    }
  }
  if (activeMusic_.empty() && activeSfx_.empty()) {
    std::memset(buffer, sixteenBit_ ? 0x00 : 0x80, byteCount);
    return;
  }
  const uint32_t samples = sixteenBit_ ? byteCount / 2 : byteCount;
  const uint32_t frames = samples / (channelsMinusOne_ + 1);
  const uint32_t frameBytes = (channelsMinusOne_ + 1) * (sixteenBit_ ? 2 : 1);
  for (uint32_t done = 0; done < frames; done += kChunkFrames) {
    mixChunk(buffer + static_cast<size_t>(done) * frameBytes, std::min(kChunkFrames, frames - done));
  }
  const size_t written = static_cast<size_t>(frames) * frameBytes;
  std::memset(buffer + written, sixteenBit_ ? 0x00 : 0x80, byteCount - written);
}

void SoundSystem::mixChunk(uint8_t* out, uint32_t frames) {
  const bool stereo = channelsMinusOne_ == 1;
  const bool effects = !activeSfx_.empty();
  // Mono output renders into the left buffers only; effect buffers are needed
  // only while effects play.
  std::fill_n(musicLeft_, frames, 0);
  if (stereo) std::fill_n(musicRight_, frames, 0);
  if (effects) {
    std::fill_n(sfxLeft_, frames, 0);
    if (stereo) std::fill_n(sfxRight_, frames, 0);
  }
  for (ModulePlayer* channel : activeMusic_) {
    if (channel->playingLocked()) {
      channel->render(musicLeft_, musicRight_, frames, stereo);
    }
  }
  for (SamplePlayer* channel : activeSfx_) {
    if (channel->playingLocked()) {
      channel->render(sfxLeft_, sfxRight_, frames, stereo, outputRate_);
    }
  }
  if (effects) {
    for (uint32_t i = 0; i < frames; ++i) musicLeft_[i] += sfxLeft_[i] >> 7;
    if (stereo) {
      for (uint32_t i = 0; i < frames; ++i) musicRight_[i] += sfxRight_[i] >> 7;
    }
  }
  if (sixteenBit_) {
    writeSixteenBit(out, frames, stereo);
  } else {
    writeEightBit(out, frames, stereo);
  }
}

void SoundSystem::writeSixteenBit(uint8_t* out, uint32_t frames, bool stereo) {
  int16_t* samples = outputSamples_;
  sixteenBitWriter()(samples, musicLeft_, musicRight_, frames, stereo);
  const uint32_t count = stereo ? 2 * frames : frames;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, samples, count * sizeof samples[0]);
  } else {
    for (uint32_t i = 0; i < count; ++i) {
      const auto v = static_cast<uint16_t>(samples[i]);
      out[2 * i] = static_cast<uint8_t>(v & 0xFF);
      out[2 * i + 1] = static_cast<uint8_t>(v >> 8);
    }
  }
}

void SoundSystem::writeEightBit(uint8_t* out, uint32_t frames, bool stereo) const {
  if (stereo) {
    for (uint32_t i = 0; i < frames; ++i) {
      out[2 * i] = static_cast<uint8_t>(clip(musicLeft_[i] >> 8, -128, 127) + 128);
      out[2 * i + 1] = static_cast<uint8_t>(clip(musicRight_[i] >> 8, -128, 127) + 128);
    }
  } else {
    for (uint32_t i = 0; i < frames; ++i) out[i] = static_cast<uint8_t>(clip(musicLeft_[i] >> 8, -128, 127) + 128);
  }
}

}  // namespace nv::sound
