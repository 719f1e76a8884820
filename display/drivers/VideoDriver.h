#pragma once
// One way to the screen: a frame buffer handed out between Lock and Unlock.

#include <cstdint>

#include "display/drivers/DisplayComponent.h"
#include "display/drivers/DisplayParams.h"
#include "display/drivers/ModeRecord.h"
#include "display/kernels/FrameBufferInfo.h"
#include "display/kernels/Rect.h"
#include "platform/system/WinTypes.h"

namespace tdlx {

class VideoDriver : public DisplayComponent {
public:
  // detected is the mode that detection found.
  virtual bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) = 0;
  // Null when the frame buffer cannot be had now.
  virtual FrameBufferInfo* Lock() = 0;
  virtual void Unlock(std::uint32_t flags) = 0;
  virtual void SetDirtyRect(const Rect&) {}
  // Called before the shadow copy when the caller asks for it (flags bit 0).
  virtual void WaitBeforeCopy() {}

  const ModeRecord& mode() const { return mode_; }
  const FrameBufferInfo& frameBuffer() const { return frame_; }

protected:
  // The frame buffer described by the mode record.
  void takeFrameBufferFromMode();

  ModeRecord mode_;
  FrameBufferInfo frame_;
};

}  // namespace tdlx
