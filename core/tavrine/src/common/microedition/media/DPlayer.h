#pragma once

#include <cstdint>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "microedition/media/DPlayer.ptr.h"

namespace nv::sound {
class SoundChannel;
}

namespace qel::media {

// A player after the profile's model, playing one sound through a channel of
// the sound system. Players of one kind may share a source; the channel table
// of DManager says which player last started on which channel.
class DPlayer : public qel::lang::DObject {
public:
  static constexpr int32_t KindWav = 0;
  static constexpr int32_t KindMod = 1;

  static constexpr int32_t CLOSED = 0;
  static constexpr int32_t UNREALIZED = 100;
  static constexpr int32_t REALIZED = 200;
  static constexpr int32_t PREFETCHED = 300;
  static constexpr int32_t STARTED = 400;

  ~DPlayer() override;

  void close();
  void deallocate() {}
  virtual qel::lang::DStringPtr getContentType() const = 0;
  int32_t getState() const { return state_; }
  // Closed players throw 0x05000100.
  void prefetch();
  // A source that cannot be loaded throws 0x04000010.
  void realize();
  // Only 1 and -1 (else 0x05400000).
  void setLoopCount(int32_t count);
  // The player that plays: this one, or a new one over the same source when
  // this one already plays; null without a free channel.
  DPlayerPtr start();
  void stop();
  int64_t getDuration() const { return -1; }
  int64_t getMediaTime();
  // Only the start is supported: 0 when rewound or let go, else -1.
  int64_t setMediaTime(int64_t time);
  int32_t getVolume();
  void setVolume(int32_t volume);
  virtual int32_t getPan();
  virtual void setPan(int32_t pan);
  // STARTED and the channel still plays for this player; a finished channel
  // is forgotten (state PREFETCHED).
  bool ownsChannel();

  int32_t getKind() const { return kind_; }
  int32_t getChannelHandle() const { return channel_; }
  int32_t getLoopCount() const { return loopCount_; }
  const qel::lang::DObjectPtr& getSource() const { return source_; }

protected:
  DPlayer(int32_t kind, qel::io::DInputStreamPtr stream);

  nv::sound::SoundChannel* channel() const;

private:
  virtual qel::lang::DObjectPtr createSource() const = 0;
  virtual bool loadSource(const qel::io::DInputStreamPtr& stream) = 0;
  virtual bool isSourceLoaded() const = 0;
  // The channel handle, negative when none is free.
  virtual int playSource() = 0;
  virtual bool isStartTime(int64_t time) const = 0;
  // A new player of the same kind without stream or source.
  virtual DPlayerPtr createSibling() const = 0;

  void forgetChannel();

  int32_t kind_;
  qel::io::DInputStreamPtr stream_;
  int32_t state_ = UNREALIZED;
  int32_t channel_ = -1;
  int32_t loopCount_ = 1;
  qel::lang::DObjectPtr source_;
};

}  // namespace qel::media
