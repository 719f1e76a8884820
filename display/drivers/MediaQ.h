#pragma once
// The MediaQ display chip: a frame buffer in chip memory that is slow to
// write. It is told apart from other frame buffers by where it lies and by how
// long a byte-wise clear of it takes.

#include "display/drivers/VideoDriver.h"

namespace tdlx {

class MediaQ final : public VideoDriver {
public:
  // Below this many milliseconds, the clear ran in ordinary memory.
  static constexpr std::uint32_t kSlowClearMs = 14;

  // Uses the frame buffer the earlier detections found; clears it.
  static bool detect(ModeRecord& mode);

  // The detected mode, kind 0.
  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  FrameBufferInfo* Lock() override { return &frame_; }
  void Unlock(std::uint32_t) override {}
};

}  // namespace tdlx
