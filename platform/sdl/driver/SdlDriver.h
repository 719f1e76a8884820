#pragma once
// The device driver on SDL: desktop events become the layer's messages
// (EventTranslator; game controllers too, as they are plugged in), the panel shows in a window (SdlVideo) when a frame
// ends or the window was uncovered, wave-out plays through SDL audio, and
// message boxes show as SDL's. Without video it runs with no window: no
// desktop events, nothing shown. Waiting sleeps in SDL until an event comes
// or a message is posted; without a desktop to send events (no window, or
// SDL's dummy and offscreen video, where SDL would look every millisecond)
// it sleeps until a post, looking at SDL's events at least every
// kHeadlessLookMs (a signal to end arrives as one).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/driver/DeviceDriver.h"

union SDL_Event;

namespace wce::sdl {

class EventTranslator;
class GameControllers;
class SdlVideo;
class SdlWaveOutDriver;

class SdlDriver final : public DeviceDriver {
public:
  static constexpr std::uint32_t kHeadlessLookMs = 100;

  // Null, with SDL's reason in error, when SDL's events cannot start.
  static std::unique_ptr<SdlDriver> open(std::string& error);
  ~SdlDriver() override;

  // Null when the window could not open; then videoError says why.
  SdlVideo* video() const { return video_.get(); }
  const std::string& videoError() const { return videoError_; }

  void pollEvents() override;
  void waitEvents(std::uint32_t timeoutMs) override;
  void wake() override;
  void present() override;
  void showMessageBox(const MessageBoxRecord& record) override;
  std::shared_ptr<WaveOutDriver> waveOut() override;

private:
  explicit SdlDriver(std::uint32_t wakeEvent);
  void handle(const SDL_Event& event);
  void waitHeadless(std::uint32_t timeoutMs);

  const std::uint32_t wakeEvent_;
  std::atomic<bool> wakePending_{false};
  bool headless_ = true;
  std::mutex headlessGuard_;
  std::condition_variable headlessWake_;
  std::unique_ptr<SdlVideo> video_;
  std::string videoError_;
  std::unique_ptr<EventTranslator> translator_;
  std::unique_ptr<GameControllers> controllers_;
  std::shared_ptr<SdlWaveOutDriver> audio_;
};

}  // namespace wce::sdl
