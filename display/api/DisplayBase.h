#pragma once
// The display object: a driver (turned by the rotation driver when needed),
// the back buffer the caller draws into, and the present.

#include <cstdint>
#include <memory>

#include "display/drivers/DisplayComponent.h"
#include "display/drivers/DisplayParams.h"
#include "display/drivers/ShadowBuffer.h"
#include "display/drivers/VideoDriver.h"
#include "display/kernels/Rect.h"

namespace tdlx {

// What GetParameters answers: the display's size, orientation and kind of back buffer.
struct DisplayParameters {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t orientation = 0;
  std::int32_t bufferKind = kBufferDrawableUnlessSwapCopy;
};

class DisplayBase : public DisplayComponent {
public:
  explicit DisplayBase(wce::HWND window) : window_(window) {}

  virtual bool Initialize(DisplayParams& params);

  const DisplayParameters& parameters() const { return parameters_; }
  bool BeginScene();
  // Null without an open scene.
  FrameBufferInfo* GetBackBuffer();
  // The rectangle given is not used: Initialize's call sets the dirty
  // rectangle to the whole screen, and once initialised this changes nothing,
  // so every present covers the whole screen.
  void SetDirtyRect(const Rect* rect);
  bool EndScene(std::uint32_t flags);

  void repaint() override;
  const Rect& dirtyRect() const { return dirty_; }
  bool hasShadowBuffer() const { return shadow_ != nullptr; }
  VideoDriver* driver() const { return driver_.get(); }

protected:
  virtual std::unique_ptr<VideoDriver> CreateVideoDriver(const DisplayParams& params) = 0;

  wce::HWND window_;
  DisplayParameters parameters_;
  std::unique_ptr<VideoDriver> driver_;
  std::unique_ptr<ShadowBuffer> shadow_;
  FrameBufferInfo* locked_ = nullptr;
  Rect dirty_;
  bool fullRows_ = false;
  bool active_ = true;
  bool initialised_ = false;
};

}  // namespace tdlx
