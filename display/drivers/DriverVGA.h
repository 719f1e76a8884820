#pragma once
// The raw frame buffer the display driver hands out with GETRAWFRAMEBUFFER.

#include "display/drivers/VideoDriver.h"

namespace tdlx {

class DriverVGA final : public VideoDriver {
public:
  // Found when the raw frame buffer has as many pixels as the screen DC.
  static bool detect(ModeRecord& mode);

  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t) override {}
};

}  // namespace tdlx
