#include "display/drivers/SlowFB.h"

#include <algorithm>

#include "display/device/Log.h"
#include "display/kernels/ChangedBlockCopy.h"
#include "display/kernels/FastCopy.h"

namespace tdlx {

bool SlowFB::Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) {
  logLine("SlowFB: Initialize()");
  if (!chip_->Initialize(window, params, detected)) return false;
  mode_ = chip_->mode();
  frame_ = chip_->frameBuffer();
  const std::size_t bytes = std::size_t{mode_.height} * mode_.pitch;
  if (bytes == 0 || bytes % kChangedBlockBytes != 0) return true;
  for (auto& system : buffers_) system.assign(bytes / 2, 0);
  const bool sameOrientation = params.orientation == 4 || params.orientation == std::int32_t(mode_.orientation);
  mode_.bufferKind = params.swapEffect == 2 && sameOrientation ? kBufferDrawable : kBufferDrawableUnlessSwapCopy;
  frame_.pixels = buffer(current_);
  frame_.owns = false;
  dirtyOffset_ = 0;
  dirtyBlocks_ = bytes / kChangedBlockBytes;
  return true;
}

FrameBufferInfo* SlowFB::Lock() {
  if (doubleBuffered()) frame_.pixels = buffer(current_);
  return &frame_;
}

void SlowFB::SetDirtyRect(const Rect& rect) {
  if (!doubleBuffered()) return;
  const Rect area = rect.clippedTo(frame_.width, frame_.height);
  std::int32_t top = area.top;
  std::int32_t bottom = area.bottom;
  const auto pitch = static_cast<std::size_t>(frame_.pitch);
  if ((static_cast<std::size_t>(bottom - top) * pitch) % kChangedBlockBytes != 0) {
    top &= ~1;
    bottom = std::min((bottom + 1) & ~1, frame_.height);
  }
  // Whole blocks, never past the end of the frame.
  const std::size_t total = buffers_[0].size() * 2;
  dirtyOffset_ = static_cast<std::size_t>(top) * pitch / kChangedBlockBytes * kChangedBlockBytes;
  const std::size_t end = static_cast<std::size_t>(bottom) * pitch;
  dirtyBlocks_ = std::min((end - dirtyOffset_ + kChangedBlockBytes - 1) / kChangedBlockBytes,
                          (total - dirtyOffset_) / kChangedBlockBytes);
}

void SlowFB::Unlock(std::uint32_t flags) {
  if (!doubleBuffered()) return;
  std::uint16_t* chipFrame = chip_->frameBuffer().pixels;
  std::uint16_t* drawn = buffer(current_);
  std::uint16_t* other = buffer(1 - current_);
  const std::size_t bytes = buffers_[0].size() * 2;
  if (copyAll_ || (flags & kCopyAll)) {
    fastCopy(chipFrame, drawn, bytes);
    if (mode_.bufferKind == kBufferDrawable) fastCopy(other, drawn, bytes);
  } else {
    const std::size_t word = dirtyOffset_ / 2;
    if (mode_.bufferKind == kBufferDrawable) {
      copyChangedBlocksAndTrack(chipFrame + word, drawn + word, other + word, dirtyBlocks_);
    } else {
      copyChangedBlocks(chipFrame + word, drawn + word, other + word, dirtyBlocks_);
    }
  }
  copyAll_ = false;
  current_ = 1 - current_;
  frame_.pixels = buffer(current_);
}

}  // namespace tdlx
