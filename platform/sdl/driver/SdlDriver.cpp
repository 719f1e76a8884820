#include "platform/sdl/driver/SdlDriver.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>

#include "platform/files/Text.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/sdl/audio/SdlWaveOutDriver.h"
#include "platform/sdl/video/EventTranslator.h"
#include "platform/sdl/video/GameControllers.h"
#include "platform/sdl/video/KeyTable.h"
#include "platform/sdl/video/SdlVideo.h"
#include "platform/threads/Wait.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Windows.h"

namespace wce::sdl {
namespace {

bool headlessVideo() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return !driver || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

// Without a window the panel lies at scale 1 in a window of its size.
PanelFit panelOnly() {
  const DeviceScreen& screen = DeviceScreen::instance();
  return PanelFit(screen.width(), screen.height(), screen.width(), screen.height());
}

bool isKey(const SDL_Event& event) { return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP; }

}  // namespace

std::unique_ptr<SdlDriver> SdlDriver::open(std::string& error) {
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  const Uint32 wakeEvent = SDL_RegisterEvents(1);
  if (wakeEvent == static_cast<Uint32>(-1)) {
    error = "no SDL event number left";
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    return nullptr;
  }
  return std::unique_ptr<SdlDriver>(new SdlDriver(wakeEvent));
}

SdlDriver::SdlDriver(std::uint32_t wakeEvent)
    : wakeEvent_(wakeEvent),
      video_(SdlVideo::open(videoError_)),
      translator_(std::make_unique<EventTranslator>(video_ ? video_->pointerFit() : panelOnly())),
      audio_(std::make_shared<SdlWaveOutDriver>()) {
  headless_ = !video_ || headlessVideo();
  // Without controller support the keyboard and the pointer still work.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) controllers_ = std::make_unique<GameControllers>();
}

SdlDriver::~SdlDriver() {
  if (controllers_) {
    controllers_.reset();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  audio_.reset();
  video_.reset();
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
  if (SDL_WasInit(0) == 0) SDL_Quit();
}

void SdlDriver::pollEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) handle(event);
}

void SdlDriver::waitEvents(std::uint32_t timeoutMs) {
  if (headless_) {
    waitHeadless(timeoutMs);
    return;
  }
  const int timeout = timeoutMs == INFINITE || timeoutMs > INT_MAX ? -1 : static_cast<int>(timeoutMs);
  SDL_Event event;
  if (!SDL_WaitEventTimeout(&event, timeout)) return;
  handle(event);
  pollEvents();
}

void SdlDriver::waitHeadless(std::uint32_t timeoutMs) {
  {
    std::unique_lock lock(headlessGuard_);
    headlessWake_.wait_for(
        lock, std::chrono::milliseconds(std::min(timeoutMs, kHeadlessLookMs)), [this] { return wakePending_.load(); });
    wakePending_ = false;
  }
  pollEvents();
}

void SdlDriver::wake() {
  if (headless_) {
    {
      std::lock_guard lock(headlessGuard_);
      wakePending_ = true;
    }
    headlessWake_.notify_all();
    return;
  }
  if (wakePending_.exchange(true)) return;
  SDL_Event event{};
  event.type = wakeEvent_;
  if (SDL_PushEvent(&event) != 1) wakePending_ = false;
}

void SdlDriver::handle(const SDL_Event& event) {
  if (event.type == wakeEvent_) {
    wakePending_ = false;
    return;
  }
  const HWND target = newestTopLevelWindow();
  if (controllers_ && controllers_->handle(event)) {
    if (event.type == SDL_CONTROLLERDEVICEREMOVED) translator_->releaseControllerKeys(target);
    return;
  }
  if (isKey(event) && togglesFullscreen(event.key)) {
    if (event.type == SDL_KEYDOWN && !event.key.repeat && video_) video_->toggleFullscreen();
    return;
  }
  if (video_) translator_->setPanelFit(video_->pointerFit());
  if (translator_->translate(event, target) && video_) video_->present();
}

void SdlDriver::present() {
  if (video_) video_->presentChanges();
  translator_->frameEnded(newestTopLevelWindow());
}

void SdlDriver::showMessageBox(const MessageBoxRecord& record) {
  if (!video_ || headlessVideo()) return;
  const Uint32 flags = (record.type & 0xF0) == 0x10 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(flags, toUtf8Lossy(record.caption).c_str(), toUtf8Lossy(record.text).c_str(), nullptr);
}

std::shared_ptr<WaveOutDriver> SdlDriver::waveOut() { return audio_; }

}  // namespace wce::sdl
