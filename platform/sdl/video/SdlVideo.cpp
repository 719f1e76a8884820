#include "platform/sdl/video/SdlVideo.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/screen/DeviceScreen.h"

namespace wce::sdl {
namespace {

// The last SDL user also releases what SDL keeps for the whole process.
void quitVideo() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_WasInit(0) == 0) SDL_Quit();
}

// The game reads keys, never composed text, yet X11's input method loads the
// locale's whole compose table (a few hundred reads) when SDL opens it at
// video start-up. While the video starts, an unset XCOMPOSEFILE points at an
// empty table; afterwards the variable is as it was, for child processes.
class EmptyComposeTable {
public:
  EmptyComposeTable() : set_(std::getenv("XCOMPOSEFILE") == nullptr) {
    if (set_) ::setenv("XCOMPOSEFILE", "/dev/null", 0);
  }
  ~EmptyComposeTable() {
    if (set_) ::unsetenv("XCOMPOSEFILE");
  }
  EmptyComposeTable(const EmptyComposeTable&) = delete;
  EmptyComposeTable& operator=(const EmptyComposeTable&) = delete;

private:
  bool set_;
};

bool initVideo() {
  const EmptyComposeTable noCompose;
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace

int SdlVideo::chooseZoom(int width, int height) {
  SDL_Rect usable{};
  const bool knowsDesktop = SDL_GetDisplayUsableBounds(0, &usable) == 0;
  const int fitting = knowsDesktop ? PanelFit::largestZoom(width, height, usable.w, usable.h) : 1;
  if (const char* requested = std::getenv("NIGHTVAULT_ZOOM")) {
    char* end = nullptr;
    const long zoom = std::strtol(requested, &end, 10);
    if (end != requested && *end == '\0' && zoom >= 1 && zoom <= 16)
      return knowsDesktop ? std::min(static_cast<int>(zoom), fitting) : static_cast<int>(zoom);
  }
  return fitting;
}

bool SdlVideo::startsFullscreen() {
  const char* fullscreen = std::getenv("NIGHTVAULT_FULLSCREEN");
  return fullscreen && std::string_view(fullscreen) == "1";
}

std::unique_ptr<SdlVideo> SdlVideo::open(std::string& error) {
  if (!initVideo()) {
    error = SDL_GetError();
    return nullptr;
  }
  // The software renderer draws into the window's own surface; SDL would
  // otherwise put a GL texture between, which a software GL pays for with
  // threads and time at every frame.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  const DeviceScreen& screen = DeviceScreen::instance();
  const int zoom = chooseZoom(screen.width(), screen.height());
  const Uint32 flags = SDL_WINDOW_RESIZABLE | (startsFullscreen() ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  SDL_Window* window = SDL_CreateWindow("Nightvault",
                                        SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED,
                                        screen.width() * zoom,
                                        screen.height() * zoom,
                                        flags);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
  if (!renderer) {
    error = SDL_GetError();
    if (window) SDL_DestroyWindow(window);
    quitVideo();
    return nullptr;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  return std::unique_ptr<SdlVideo>(new SdlVideo(window, renderer, zoom));
}

SdlVideo::SdlVideo(SDL_Window* window, SDL_Renderer* renderer, int zoom)
    : window_(window), renderer_(renderer), zoom_(zoom) {}

SdlVideo::~SdlVideo() {
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

void SdlVideo::fitWindowToScreen() {
  const DeviceScreen& screen = DeviceScreen::instance();
  if (texture_ && textureWidth_ == screen.width() && textureHeight_ == screen.height()) return;
  if (texture_) SDL_DestroyTexture(texture_);
  textureWidth_ = screen.width();
  textureHeight_ = screen.height();
  shown_.clear();
  // In the window's own format the scaling is a plain copy of pixels.
  Uint32 format = SDL_GetWindowPixelFormat(window_);
  if (format == SDL_PIXELFORMAT_UNKNOWN) format = SDL_PIXELFORMAT_RGB888;
  texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, textureWidth_, textureHeight_);
  if (texture_) SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_SetWindowMinimumSize(window_, textureWidth_, textureHeight_);
  if (!fullscreen()) SDL_SetWindowSize(window_, textureWidth_ * zoom_, textureHeight_ * zoom_);
}

bool SdlVideo::fullscreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; }

void SdlVideo::toggleFullscreen() {
  SDL_SetWindowFullscreen(window_, fullscreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  present();
}

PanelFit SdlVideo::pointerFit() const {
  const DeviceScreen& screen = DeviceScreen::instance();
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  return PanelFit(screen.width(), screen.height(), width, height);
}

void SdlVideo::present() { show(false); }

void SdlVideo::presentChanges() { show(true); }

SdlVideo::RowBand SdlVideo::changedRows(const std::vector<std::uint16_t>& view) const {
  if (view.size() != shown_.size()) return {0, textureHeight_};
  const auto width = static_cast<std::size_t>(textureWidth_);
  const auto rowEqual = [&](int y) {
    const auto start = static_cast<std::size_t>(y) * width;
    return std::equal(view.begin() + start, view.begin() + start + width, shown_.begin() + start);
  };
  RowBand band{0, textureHeight_};
  while (band.top < band.bottom && rowEqual(band.top)) ++band.top;
  while (band.bottom > band.top && rowEqual(band.bottom - 1)) --band.bottom;
  return band;
}

void SdlVideo::show(bool onlyChanges) {
  fitWindowToScreen();
  if (!texture_) return;
  std::vector<std::uint16_t> view = DeviceScreen::instance().readView();
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  const PanelFit fit(textureWidth_, textureHeight_, outputWidth, outputHeight);
  const bool refit = fit != shownFit_;
  const RowBand rows = onlyChanges && !refit ? changedRows(view) : RowBand{0, textureHeight_};
  shown_ = std::move(view);
  shownFit_ = fit;
  if (rows.top >= rows.bottom) return;
  if (refit || !onlyChanges) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  // The window keeps what it showed: only the band that changed is drawn again.
  const SDL_Rect band{0, rows.top, textureWidth_, rows.bottom - rows.top};
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, &band, &pixels, &pitch) != 0) return;
  Uint32 format = 0;
  SDL_QueryTexture(texture_, &format, nullptr, nullptr, nullptr);
  SDL_ConvertPixels(band.w,
                    band.h,
                    SDL_PIXELFORMAT_RGB565,
                    shown_.data() + static_cast<std::size_t>(band.y) * static_cast<std::size_t>(band.w),
                    band.w * 2,
                    format,
                    pixels,
                    pitch);
  SDL_UnlockTexture(texture_);
  const int scale = fit.scale();
  const SDL_Rect target{fit.left(), fit.top() + band.y * scale, band.w * scale, band.h * scale};
  SDL_RenderCopy(renderer_, texture_, &band, &target);
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

}  // namespace wce::sdl
