#pragma once

#include <cstdint>

namespace nv::sound {

class SoundSystem;

// The head shared by music and sfx channels. Every operation takes the owner's
// device lock, since the feeder thread reads and changes the same fields.
class SoundChannel {
public:
  explicit SoundChannel(SoundSystem* owner) : owner_(owner) {}
  virtual ~SoundChannel() = default;
  SoundChannel(const SoundChannel&) = delete;
  SoundChannel& operator=(const SoundChannel&) = delete;

  virtual void setVolume(int volume) = 0;
  virtual void setPanning(int panning) = 0;
  virtual int getPosition() = 0;
  virtual void setPosition(int position) = 0;
  virtual int getLength() = 0;

  void start(bool paused);
  void stop();
  void pause();
  void resume();
  bool isPlaying() const;
  bool isFree() const;
  void setLooping(bool loop);
  bool isLooping() const;
  uint32_t getMixVolume() const;
  uint32_t volume() const;
  uint32_t panning() const;

protected:
  // Callers hold the lock (the feeder inside a fill, or the play operations).
  bool playingLocked() const { return !stopped_ && !paused_; }
  bool freeLocked() const { return stopped_ && !paused_; }
  void stopLocked() {
    stopped_ = true;
    paused_ = false;
  }

  class Lock {
  public:
    explicit Lock(const SoundChannel& channel);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

  private:
    SoundSystem* owner_;
  };

  SoundSystem* owner_;
  uint32_t volume_ = 0;
  uint32_t mixVolume_ = 0;
  uint32_t panning_ = 0;
  bool loop_ = false;
  bool paused_ = false;
  bool stopped_ = true;
  uint32_t sourceRate_ = 0;
  uint32_t playbackRate_ = 0;
  bool rateChanged_ = true;
  uint32_t furtherWord_ = 0;
  const uint8_t* data_ = nullptr;

  friend class SoundSystem;
};

}  // namespace nv::sound
