#pragma once
// The display library's face: one full-screen 16-bit back buffer over a
// window, presented once per scene. Nothing here throws; failures answer
// false or null and are written to the log.

#include <cstdint>
#include <memory>

#include "display/api/DisplayBase.h"
#include "display/drivers/DisplayParams.h"
#include "display/kernels/FrameBufferInfo.h"
#include "display/kernels/Rect.h"
#include "platform/window/WindowTypes.h"

namespace tdlx {

class DisplayImpl;

class Display {
public:
  // Null on failure; on success params holds the width, height, orientation
  // and kind of back buffer in use. A swap effect of 0 is taken as 1.
  static std::unique_ptr<Display> Create(wce::HWND window, DisplayParams& params);
  // Unhooks the window, gives the keys back and frees the driver.
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  const DisplayParameters* GetParameters() const;
  // False while suspended or when the frame buffer cannot be had.
  bool BeginScene();
  // Null without an open scene.
  FrameBufferInfo* GetBackBuffer();
  // Changes nothing: every present covers the whole screen.
  void SetDirtyRect(const Rect* rect);
  bool EndScene(std::uint32_t flags);

  DisplayImpl& impl() { return *impl_; }

private:
  explicit Display(std::unique_ptr<DisplayImpl> impl);

  std::unique_ptr<DisplayImpl> impl_;
};

}  // namespace tdlx
