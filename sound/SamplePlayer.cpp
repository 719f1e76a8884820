#include "sound/SamplePlayer.h"

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

void SamplePlayer::readFrame(uint32_t frame, int32_t& s0, int32_t& s1) const {
    if (eightBit_) {
        const uint8_t* p = data_ + static_cast<size_t>(frame) * (stereo_ ? 2 : 1);
        s0 = (p[0] - 128) * 256;
        s1 = stereo_ ? (p[1] - 128) * 256 : s0;
    } else {
        const uint8_t* p = data_ + static_cast<size_t>(frame) * (stereo_ ? 4 : 2);
        s0 = static_cast<int16_t>(p[0] | p[1] << 8);
        s1 = stereo_ ? static_cast<int16_t>(p[2] | p[3] << 8) : s0;
    }
}

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
    for (uint32_t i = 0; i < frames; ++i) {
        if (loop_ && position_ >= length_ && length_ != 0) {
            position_ %= length_;
        }
        if (position_ >= length_) {
            stopLocked();
            return;
        }
        int32_t s0;
        int32_t s1;
        readFrame(position_ >> 8, s0, s1);
        if (!stereoOut) {
            left[i] += v * s0 + (stereo_ ? v * s1 : 0);
        } else if (centre) {
            left[i] += v * s0;
            right[i] += v * s1;
        } else {
            // A stereo sample keeps its sides apart: left channel to the left, right to the right.
            left[i] += l * s0;
            right[i] += r * s1;
        }
        uint64_t next = static_cast<uint64_t>(position_) + step_;
        position_ = next > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(next);
    }
}

}  // namespace nv::sound
