#pragma once
// Draws into a 16-bit DIB section and BitBlts the dirty rectangle to the
// window. Turns the system display to the requested orientation while it
// lives, and turns it back when it goes.

#include "display/drivers/VideoDriver.h"
#include "platform/gdi/GdiTypes.h"

namespace tdlx {

class GDIDriver final : public VideoDriver {
public:
  // The screen DC's size (at orientation 0) and depth.
  static bool detect(ModeRecord& mode);

  GDIDriver() = default;
  ~GDIDriver() override;
  GDIDriver(const GDIDriver&) = delete;
  GDIDriver& operator=(const GDIDriver&) = delete;

  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t flags) override;
  void SetDirtyRect(const Rect& rect) override;

private:
  wce::HWND window_ = nullptr;
  wce::HDC memoryDc_ = nullptr;
  wce::HBITMAP section_ = nullptr;
  wce::HGDIOBJ previousBitmap_ = nullptr;
  int dirtyX_ = 0;
  int dirtyY_ = 0;
  int dirtyWidth_ = 0;
  int dirtyHeight_ = 0;
  int orientationBefore_ = -1;
};

}  // namespace tdlx
