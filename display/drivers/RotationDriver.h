#pragma once
// Stands in front of another driver when the requested orientation differs
// from that driver's: the caller draws into a shadow buffer of the requested
// orientation, which Unlock turns onto the inner driver's frame buffer.

#include <memory>

#include "display/drivers/ShadowBuffer.h"
#include "display/drivers/VideoDriver.h"
#include "display/kernels/RotatedCopy.h"

namespace tdlx {

class RotationDriver final : public VideoDriver {
public:
  explicit RotationDriver(std::unique_ptr<VideoDriver> inner);

  // inner is the inner driver's mode record.
  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& inner) override;
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t flags) override;
  // Turned into the inner driver's coordinates; the copy covers it rounded
  // out to whole 16-pixel tiles, held to the inner frame buffer.
  void SetDirtyRect(const Rect& rect) override;
  void WaitBeforeCopy() override { inner_->WaitBeforeCopy(); }
  void resume() override { inner_->resume(); }
  void suspend() override { inner_->suspend(); }
  void repaint() override { inner_->repaint(); }

  int rotation() const { return rotation_; }
  const Rect& copyRect() const { return copyRect_; }

private:
  void copyToInner(const FrameBufferInfo& target, TileOrder order) const;

  std::unique_ptr<VideoDriver> inner_;
  std::unique_ptr<ShadowBuffer> shadow_;
  RotatedCopy rotatedCopy_;
  int rotation_ = 0;
  // The inner driver's kind 0 uses the first copy order for both.
  bool secondOrder_ = true;
  Rect copyRect_;
  FrameBufferInfo* innerLocked_ = nullptr;
};

}  // namespace tdlx
