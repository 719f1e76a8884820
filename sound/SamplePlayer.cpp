#include "sound/SamplePlayer.h"

#include <algorithm>

#include "sound/SoundSample.h"
#include "sound/SoundSystem.h"

namespace nv::sound {

void SamplePlayer::setVolume(int volume) {
  Lock guard(*this);
  volume_ = (volume < 0 || volume > 64) ? 64 : static_cast<uint32_t>(volume);
  mixVolume_ = owner_->getSfxVolume() * volume_ >> 6;
}

void SamplePlayer::setPanning(int panning) {
  Lock guard(*this);
  panning_ = static_cast<uint32_t>(panning) >= 256 ? 255 : static_cast<uint32_t>(panning);
}

int SamplePlayer::getPosition() {
  Lock guard(*this);
  return static_cast<int>(position_ >> shift());
}

void SamplePlayer::setPosition(int position) {
  if (position < 0) {
    return;
  }
  Lock guard(*this);
  position_ = static_cast<uint32_t>(static_cast<uint64_t>(position) << shift());
}

int SamplePlayer::getLength() {
  Lock guard(*this);
  return static_cast<int>(length_ >> shift());
}

void SamplePlayer::setup(const SoundSample& sample) {
  data_ = sample.data();
  sourceRate_ = sample.sampleRate();
  playbackRate_ = sample.playbackRate();
  rateChanged_ = true;
  position_ = 0;
  furtherWord_ = sample.furtherWord();
  length_ = sample.lengthFrames() << 8;
  loop_ = sample.loop();
  panning_ = sample.panning();
  eightBit_ = sample.is8Bit();
  stereo_ = sample.isStereo();
  setVolume(static_cast<int>(sample.volume()));
}

namespace {

// One run of frames of one format: reads frame position >> 8, adds it, steps.
template <bool kEightBit, bool kStereoSample, bool kStereoOut, bool kCentre>
uint32_t mixRun(const uint8_t* data, uint32_t position, uint32_t step, uint32_t count, int32_t v, int32_t l, int32_t r,
                int32_t* left, int32_t* right) {
  for (uint32_t i = 0; i < count; ++i) {
    const size_t frame = position >> 8;
    int32_t s0;
    int32_t s1;
    if constexpr (kEightBit) {
      const uint8_t* p = data + frame * (kStereoSample ? 2 : 1);
      s0 = (p[0] - 128) * 256;
      s1 = kStereoSample ? (p[1] - 128) * 256 : s0;
    } else {
      const uint8_t* p = data + frame * (kStereoSample ? 4 : 2);
      s0 = static_cast<int16_t>(p[0] | p[1] << 8);
      s1 = kStereoSample ? static_cast<int16_t>(p[2] | p[3] << 8) : s0;
    }
    if constexpr (!kStereoOut) {
      left[i] += v * s0 + (kStereoSample ? v * s1 : 0);
    } else if constexpr (kCentre) {
      left[i] += v * s0;
      right[i] += v * s1;
    } else {
      // Off centre both sides of a stereo sample go to both outputs.
      const int32_t both = kStereoSample ? s0 + s1 : s0;
      left[i] += l * both;
      right[i] += r * both;
    }
    position += step;
  }
  return position;
}

using RunFunction = uint32_t (*)(const uint8_t*, uint32_t, uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t*,
                                 int32_t*);

template <bool kEightBit, bool kStereoSample>
RunFunction pickRun(bool stereoOut, bool centre) {
  if (!stereoOut) {
    return &mixRun<kEightBit, kStereoSample, false, false>;
  }
  return centre ? &mixRun<kEightBit, kStereoSample, true, true> : &mixRun<kEightBit, kStereoSample, true, false>;
}

}  // namespace

void SamplePlayer::render(int32_t* left, int32_t* right, uint32_t frames, bool stereoOut, uint32_t outputRate) {
  if (rateChanged_) {
    uint64_t step = (static_cast<uint64_t>(playbackRate_) << 16) / (static_cast<uint64_t>(outputRate) << 8);
    step_ = step > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(step);
    rateChanged_ = false;
  }
  const int32_t v = static_cast<int32_t>(mixVolume_);
  const int32_t w = 2 * v;
  const int32_t r = w * static_cast<int32_t>(panning_) >> 8;
  const int32_t l = w - r;
  const bool centre = panning_ == 128;
  RunFunction run =
      eightBit_ ? (stereo_ ? pickRun<true, true>(stereoOut, centre) : pickRun<true, false>(stereoOut, centre))
                : (stereo_ ? pickRun<false, true>(stereoOut, centre) : pickRun<false, false>(stereoOut, centre));
  uint32_t i = 0;
  while (i < frames) {
    if (loop_ && position_ >= length_ && length_ != 0) {
      position_ %= length_;
    }
    if (position_ >= length_) {
      stopLocked();
      return;
    }
    // Frames until the position reaches the end (a step of 0 never does).
    uint64_t framesToEnd = step_ == 0 ? frames - i : (static_cast<uint64_t>(length_ - position_) + step_ - 1) / step_;
    uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(framesToEnd, frames - i));
    const uint64_t end = position_ + static_cast<uint64_t>(count) * step_;
    position_ = run(data_, position_, step_, count, v, l, r, left + i, right + i);
    if (end > 0xFFFFFFFFu) {
      position_ = 0xFFFFFFFFu;
    }
    i += count;
  }
}

}  // namespace nv::sound
