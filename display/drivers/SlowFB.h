#pragma once
// The MediaQ chip's frame buffer written as little as possible. When the frame
// is a whole number of 64-byte blocks, drawing goes to one of two
// system-memory buffers; Unlock writes to the chip only the words of the dirty
// rows that changed since the other buffer, then the buffers change roles.
// The first frame, and the first after resume, suspend or a repaint, is copied
// whole, as is any frame unlocked with flags bit 1.

#include <cstddef>
#include <memory>
#include <vector>

#include "display/drivers/MediaQ.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

class SlowFB final : public VideoDriver {
public:
  static constexpr std::uint32_t kCopyAll = 2;

  explicit SlowFB(std::unique_ptr<MediaQ> chip) : chip_(std::move(chip)) {}

  void resume() override { copyAll_ = true; }
  void suspend() override { copyAll_ = true; }
  void repaint() override { copyAll_ = true; }

  // Kind 1; kind 2 when the caller asks swap effect 2 in the chip's own
  // orientation. Without double buffering the chip's frame itself, kind 0.
  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t flags) override;
  // The rows of the rectangle, widened to even rows when their bytes are
  // not whole blocks.
  void SetDirtyRect(const Rect& rect) override;
  void WaitBeforeCopy() override { chip_->WaitBeforeCopy(); }

private:
  bool doubleBuffered() const { return !buffers_[0].empty(); }
  std::uint16_t* buffer(int index) { return buffers_[index].data(); }

  std::unique_ptr<MediaQ> chip_;
  std::vector<std::uint16_t> buffers_[2];
  int current_ = 0;
  bool copyAll_ = true;
  std::size_t dirtyOffset_ = 0;
  std::size_t dirtyBlocks_ = 0;
};

}  // namespace tdlx
