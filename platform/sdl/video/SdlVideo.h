#pragma once
// Shows the device screen in a desktop window, scaled by a whole factor
// (NIGHTVAULT_ZOOM, or the largest that fits the desktop).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace wce {

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
  std::uint32_t windowId() const;
  // The X11 window, 0 under other video drivers.
  unsigned long x11Window() const;
  // The window's pixels as last presented, as RGB565 rows of width x height.
  std::string readBack(int& width, int& height) const;

  // The zoom for a screen of that size: NIGHTVAULT_ZOOM when it names a
  // whole number from 1 to 16, else the largest factor that fits the
  // desktop's usable area (at least 1).
  static int chooseZoom(int width, int height);

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
};

}  // namespace wce
