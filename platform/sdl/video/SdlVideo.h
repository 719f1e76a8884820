#pragma once
// Shows the device screen in a desktop window: a resizable window (or the
// whole screen) in which the panel is scaled by the largest whole factor that
// fits, centred on black. The window starts at the largest zoom that fits the
// desktop (NIGHTVAULT_ZOOM asks for less), fullscreen when
// NIGHTVAULT_FULLSCREEN is 1.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/video/PanelFit.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace wce::sdl {

class SdlVideo {
public:
  // Null, with the reason in error, when SDL video cannot start.
  static std::unique_ptr<SdlVideo> open(std::string& error);
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;

  // Shows the screen now.
  void present();
  // Shows the screen unless the window shows it as it is already.
  void presentChanges();
  int zoom() const { return zoom_; }
  bool fullscreen() const;
  // Fullscreen on or off; the panel is shown again.
  void toggleFullscreen();
  // Where the panel lies in the window, in the window's pointer coordinates.
  PanelFit pointerFit() const;
  std::uint32_t windowId() const;
  // The X11 window, 0 under other video drivers.
  unsigned long x11Window() const;
  // The window's pixels as last presented, as RGB565 rows of width x height.
  std::string readBack(int& width, int& height) const;

  // The zoom for a screen of that size: the largest factor that fits the
  // desktop's usable area (at least 1), or NIGHTVAULT_ZOOM when it names a
  // whole number from 1 to 16 and fits.
  static int chooseZoom(int width, int height);
  static bool startsFullscreen();

private:
  SdlVideo(SDL_Window* window, SDL_Renderer* renderer, int zoom);
  struct RowBand {
    int top;
    int bottom;
  };

  void fitWindowToScreen();
  // The rows in which view differs from what the window shows.
  RowBand changedRows(const std::vector<std::uint16_t>& view) const;
  void show(bool onlyChanges);

  SDL_Window* window_;
  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  int zoom_;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  std::vector<std::uint16_t> shown_;
  PanelFit shownFit_{1, 1, 0, 0};
};

}  // namespace wce::sdl
