#pragma once
// The frame buffer the display driver hands out with GETGXINFO; with
// "gxdma.dll" the dirty area is sent to the panel by DMA on Unlock.

#include <memory>

#include "display/device/DmaLibrary.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

class DriverDirect final : public VideoDriver {
public:
  static bool detect(ModeRecord& mode);

  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  // Waits, for a bounded time, until the last DMA transfer has finished.
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t flags) override;
  // Widened to whole groups of 4 pixels.
  void SetDirtyRect(const Rect& rect) override;

private:
  std::unique_ptr<DmaLibrary> dma_;
  Rect dirty_;
};

}  // namespace tdlx
