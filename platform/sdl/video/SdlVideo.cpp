#include "platform/sdl/video/SdlVideo.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/files/Text.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/sdl/video/EventTranslator.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Windows.h"

namespace wce {
namespace {

constexpr std::uint64_t kPresentIntervalMs = 10;

bool headlessDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

void showMessageBox(const MessageBoxRecord& record) {
  const Uint32 flags = (record.type & 0xF0) == 0x10 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(flags, toUtf8Lossy(record.caption).c_str(), toUtf8Lossy(record.text).c_str(), nullptr);
}

// The last SDL user also releases what SDL keeps for the whole process.
void quitVideo() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_WasInit(0) == 0) SDL_Quit();
}

}  // namespace

int SdlVideo::chooseZoom(int width, int height) {
  if (const char* requested = std::getenv("NIGHTVAULT_ZOOM")) {
    char* end = nullptr;
    const long zoom = std::strtol(requested, &end, 10);
    if (end != requested && *end == '\0' && zoom >= 1 && zoom <= 16) return static_cast<int>(zoom);
  }
  SDL_Rect usable{};
  if (width < 1 || height < 1 || SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return std::max(1, std::min(usable.w / width, usable.h / height));
}

std::unique_ptr<SdlVideo> SdlVideo::open(std::string& error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  const DeviceScreen& screen = DeviceScreen::instance();
  const int zoom = chooseZoom(screen.width(), screen.height());
  SDL_Window* window = SDL_CreateWindow(
      "Nightvault", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, screen.width() * zoom, screen.height() * zoom, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
  if (!renderer) {
    error = SDL_GetError();
    if (window) SDL_DestroyWindow(window);
    quitVideo();
    return nullptr;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  std::unique_ptr<SdlVideo> video(new SdlVideo(window, renderer, zoom));
  setMessagePump([driver = video.get()] { driver->pump(); });
  if (!headlessDriver()) setMessageBoxPresenter(&showMessageBox);
  return video;
}

SdlVideo::SdlVideo(SDL_Window* window, SDL_Renderer* renderer, int zoom)
    : window_(window), renderer_(renderer), zoom_(zoom), translator_(std::make_unique<EventTranslator>(zoom)) {}

SdlVideo::~SdlVideo() {
  setMessagePump({});
  setMessageBoxPresenter({});
  if (texture_) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  quitVideo();
}

std::uint32_t SdlVideo::windowId() const { return SDL_GetWindowID(window_); }

unsigned long SdlVideo::x11Window() const {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) return info.info.x11.window;
#endif
  return 0;
}

void SdlVideo::pump() {
  SDL_Event event;
  bool presentNow = false;
  while (SDL_PollEvent(&event)) presentNow |= translator_->translate(event, newestTopLevelWindow());
  const DeviceScreen& screen = DeviceScreen::instance();
  const std::uint64_t now = SDL_GetTicks64();
  if (presentNow || (screen.changedSince(shownChanges_) && now - lastPresentTicks_ >= kPresentIntervalMs)) {
    present();
  }
}

void SdlVideo::fitWindowToScreen() {
  const DeviceScreen& screen = DeviceScreen::instance();
  if (texture_ && textureWidth_ == screen.width() && textureHeight_ == screen.height()) return;
  if (texture_) SDL_DestroyTexture(texture_);
  textureWidth_ = screen.width();
  textureHeight_ = screen.height();
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, textureWidth_, textureHeight_);
  SDL_SetWindowSize(window_, textureWidth_ * zoom_, textureHeight_ * zoom_);
}

void SdlVideo::present() {
  fitWindowToScreen();
  DeviceScreen& screen = DeviceScreen::instance();
  shownChanges_ = screen.changeCount();
  lastPresentTicks_ = SDL_GetTicks64();
  if (!texture_) return;
  const std::vector<std::uint16_t> view = screen.readView();
  SDL_UpdateTexture(texture_, nullptr, view.data(), textureWidth_ * 2);
  SDL_RenderClear(renderer_);
  const SDL_Rect target{0, 0, textureWidth_ * zoom_, textureHeight_ * zoom_};
  SDL_RenderCopy(renderer_, texture_, nullptr, &target);
  SDL_RenderPresent(renderer_);
}

std::string SdlVideo::readBack(int& width, int& height) const {
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  std::string pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 2, '\0');
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB565, pixels.data(), width * 2) != 0) {
    width = height = 0;
    return {};
  }
  return pixels;
}

}  // namespace wce
