#include "sound/SoundChannel.h"

#include "sound/SoundSystem.h"

namespace nv::sound {

SoundChannel::Lock::Lock(const SoundChannel& channel) : owner_(channel.owner_) {
  if (owner_ != nullptr) {
    owner_->lock();
  }
}

SoundChannel::Lock::~Lock() {
  if (owner_ != nullptr) {
    owner_->unlock();
  }
}

void SoundChannel::start(bool paused) {
  Lock guard(*this);
  stopped_ = false;
  paused_ = paused;
}

void SoundChannel::stop() {
  Lock guard(*this);
  stopLocked();
}

void SoundChannel::pause() {
  Lock guard(*this);
  if (!stopped_) {
    paused_ = true;
  }
}

void SoundChannel::resume() {
  Lock guard(*this);
  if (!stopped_) {
    paused_ = false;
  }
}

bool SoundChannel::isPlaying() const {
  Lock guard(*this);
  return playingLocked();
}

bool SoundChannel::isFree() const {
  Lock guard(*this);
  return freeLocked();
}

void SoundChannel::setLooping(bool loop) {
  Lock guard(*this);
  loop_ = loop;
}

bool SoundChannel::isLooping() const {
  Lock guard(*this);
  return loop_;
}

uint32_t SoundChannel::getMixVolume() const {
  Lock guard(*this);
  return mixVolume_;
}

uint32_t SoundChannel::volume() const {
  Lock guard(*this);
  return volume_;
}

uint32_t SoundChannel::panning() const {
  Lock guard(*this);
  return panning_;
}

}  // namespace nv::sound
