#include "microedition/media/DPlayer.h"

#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "microedition/media/DManager.h"
#include "sound/SoundChannel.h"
#include "sound/SoundSystem.h"

namespace qel::media {

using qel::lang::ExceptionCode::IllegalArgument;
using qel::lang::ExceptionCode::IllegalState;
using qel::lang::ExceptionCode::Media;

DPlayer::DPlayer(int32_t kind, qel::io::DInputStreamPtr stream) : kind_(kind), stream_(std::move(stream)) {}

DPlayer::~DPlayer() = default;

nv::sound::SoundChannel* DPlayer::channel() const {
  nv::sound::SoundSystem* system = DManager::soundSystem();
  return system && channel_ >= 0 ? system->getChannel(channel_) : nullptr;
}

void DPlayer::close() { state_ = CLOSED; }

void DPlayer::realize() {
  if (state_ == CLOSED) qel::lang::throwException(IllegalState);
  if (state_ != UNREALIZED) return;
  if (!source_) source_ = createSource();
  if (stream_ && !loadSource(stream_)) qel::lang::throwException(Media);
  stream_.release();
  state_ = REALIZED;
}

void DPlayer::prefetch() {
  if (state_ == CLOSED) qel::lang::throwException(IllegalState);
  if (state_ == UNREALIZED) realize();
  if (state_ == REALIZED) state_ = PREFETCHED;
}

DPlayerPtr DPlayer::start() {
  if (state_ == CLOSED) qel::lang::throwException(IllegalState);
  if (ownsChannel()) {
    DPlayerPtr sibling = createSibling();
    sibling->source_ = source_;
    sibling->state_ = isSourceLoaded() ? PREFETCHED : UNREALIZED;
    sibling->loopCount_ = loopCount_;
    return sibling->start();
  }
  if (state_ != PREFETCHED) {
    realize();
    prefetch();
    if (state_ != PREFETCHED) return nullptr;
  }
  if (channel_ < 0) {
    int handle = playSource();
    if (handle < 0) return nullptr;
    channel_ = handle;
    DManager::channelTable()->at(handle) = this;
  } else if (nv::sound::SoundChannel* playing = channel()) {
    playing->resume();
  }
  if (nv::sound::SoundChannel* playing = channel()) playing->setLooping(loopCount_ != 1);
  state_ = STARTED;
  return DPlayerPtr(this);
}

void DPlayer::stop() {
  if (state_ != STARTED) return;
  if (ownsChannel()) {
    if (nv::sound::SoundChannel* playing = channel()) playing->pause();
  }
  state_ = PREFETCHED;
}

bool DPlayer::ownsChannel() {
  if (state_ != STARTED) return false;
  qel::lang::DObjectArrayPtr table = DManager::channelTable();
  if (!table) return false;
  qel::lang::DObject* entry = table->at(channel_).get();
  if (entry != this && (!entry || !entry->equals(this))) return false;
  nv::sound::SoundChannel* playing = channel();
  if (!playing || !playing->isPlaying()) {
    table->at(channel_).release();
    channel_ = -1;
    state_ = PREFETCHED;
    return false;
  }
  return true;
}

void DPlayer::forgetChannel() {
  if (nv::sound::SoundChannel* playing = channel()) playing->stop();
  qel::lang::DObjectArrayPtr table = DManager::channelTable();
  if (table && table->at(channel_).get() == this) table->at(channel_).release();
  channel_ = -1;
}

void DPlayer::setLoopCount(int32_t count) {
  if (count != 1 && count != -1) qel::lang::throwException(IllegalArgument);
  loopCount_ = count;
  if (ownsChannel()) channel()->setLooping(count != 1);
}

int64_t DPlayer::getMediaTime() { return ownsChannel() ? channel()->getPosition() : -1; }

int64_t DPlayer::setMediaTime(int64_t time) {
  if (!isStartTime(time)) return -1;
  if (!ownsChannel() && !(state_ == PREFETCHED && channel_ >= 0)) return -1;
  if (state_ == STARTED) {
    channel()->setPosition(0);
  } else {
    forgetChannel();
  }
  return 0;
}

int32_t DPlayer::getVolume() {
  nv::sound::SoundChannel* playing = channel();
  return playing ? static_cast<int32_t>(playing->volume()) : -1;
}

void DPlayer::setVolume(int32_t volume) {
  if (nv::sound::SoundChannel* playing = channel()) playing->setVolume(volume);
}

int32_t DPlayer::getPan() { return 0; }

void DPlayer::setPan(int32_t) {}

}  // namespace qel::media
