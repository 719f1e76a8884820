#include "display/drivers/RotationDriver.h"

#include <algorithm>
#include <utility>

#include "display/device/DeviceTimer.h"
#include "display/device/Log.h"
#include "display/kernels/BufferCopy.h"
#include "display/kernels/TileKernels.h"

namespace tdlx {
namespace {

std::int32_t roundDown16(std::int32_t value) { return value & ~(kTileSize - 1); }
std::int32_t roundUp16(std::int32_t value) { return (value + kTileSize - 1) & ~(kTileSize - 1); }

}  // namespace

RotationDriver::RotationDriver(std::unique_ptr<VideoDriver> inner)
    : inner_(std::move(inner)), rotatedCopy_(tileKernelsFor(getProcessorKind())) {}

bool RotationDriver::Initialize(wce::HWND, const DisplayParams& params, const ModeRecord& inner) {
  logLine("RotationDriver: Initialize()");
  if (!inner_ || params.orientation < 0 || params.orientation >= kAnyOrientation) return false;
  rotation_ = static_cast<int>((inner.orientation - static_cast<std::uint32_t>(params.orientation)) & 3);
  const bool sideways = rotation_ & 1;
  mode_ = inner;
  mode_.width = sideways ? inner.height : inner.width;
  mode_.height = sideways ? inner.width : inner.height;
  mode_.orientation = static_cast<std::uint32_t>(params.orientation);
  mode_.bufferKind = kBufferDrawable;
  shadow_ =
      std::make_unique<ShadowBuffer>(static_cast<std::int32_t>(mode_.width), static_cast<std::int32_t>(mode_.height));
  frame_ = shadow_->info();
  mode_.pitch = static_cast<std::uint32_t>(frame_.pitch);
  mode_.frameBuffer = reinterpret_cast<std::uintptr_t>(frame_.pixels);
  secondOrder_ = inner.bufferKind != kBufferNotDrawable;
  return true;
}

FrameBufferInfo* RotationDriver::Lock() {
  innerLocked_ = inner_->Lock();
  return innerLocked_ ? &frame_ : nullptr;
}

void RotationDriver::Unlock(std::uint32_t flags) {
  if (!innerLocked_) return;
  if (flags & 1) {
    inner_->WaitBeforeCopy();
    copyToInner(*innerLocked_, secondOrder_ ? TileOrder::RowsOuter : TileOrder::ColumnsOuter);
  } else {
    copyToInner(*innerLocked_, TileOrder::ColumnsOuter);
  }
  innerLocked_ = nullptr;
  inner_->Unlock(flags);
}

void RotationDriver::copyToInner(const FrameBufferInfo& target, TileOrder order) const {
  if (rotation_ == 0) {
    tdlx::copyRect(target, frame_, copyRect_);
  } else {
    rotatedCopy_.copy(rotation_, target, frame_, copyRect_, order);
  }
}

void RotationDriver::SetDirtyRect(const Rect& rect) {
  const std::int32_t width = inner_->frameBuffer().width;
  const std::int32_t height = inner_->frameBuffer().height;
  Rect turned = rect;
  switch (rotation_) {
    case 1: turned = {width - rect.bottom, rect.left, width - rect.top, rect.right}; break;
    case 2: turned = {width - rect.right, height - rect.bottom, width - rect.left, height - rect.top}; break;
    case 3: turned = {rect.top, height - rect.right, rect.bottom, height - rect.left}; break;
    default: break;
  }
  inner_->SetDirtyRect(turned);
  copyRect_ = Rect{roundDown16(turned.left), roundDown16(turned.top), roundUp16(turned.right), roundUp16(turned.bottom)}
                  .clippedTo(width, height);
}

}  // namespace tdlx
