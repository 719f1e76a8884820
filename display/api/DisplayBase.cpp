#include "display/api/DisplayBase.h"

#include "display/drivers/RotationDriver.h"
#include "display/kernels/BufferCopy.h"

namespace tdlx {

bool DisplayBase::Initialize(DisplayParams& params) {
  if (driver_) return false;
  std::unique_ptr<VideoDriver> driver = CreateVideoDriver(params);
  if (!driver) return false;
  if (params.orientation >= 0 && params.orientation < kAnyOrientation &&
      static_cast<std::uint32_t>(params.orientation) != driver->mode().orientation) {
    const ModeRecord innerMode = driver->mode();
    auto rotation = std::make_unique<RotationDriver>(std::move(driver));
    if (!rotation->Initialize(window_, params, innerMode)) return false;
    driver = std::move(rotation);
  }
  driver_ = std::move(driver);
  const ModeRecord& mode = driver_->mode();
  parameters_.width = static_cast<std::int32_t>(mode.width);
  parameters_.height = static_cast<std::int32_t>(mode.height);
  parameters_.orientation = static_cast<std::int32_t>(mode.orientation);
  std::uint32_t kind = mode.bufferKind;
  if (kind == kBufferNotDrawable || (params.swapEffect == 2 && kind != kBufferDrawable)) {
    shadow_ = std::make_unique<ShadowBuffer>(parameters_.width, parameters_.height);
    kind = kBufferDrawable;
  }
  parameters_.bufferKind = static_cast<std::int32_t>(kind);
  locked_ = nullptr;
  SetDirtyRect(nullptr);
  initialised_ = true;
  return true;
}

bool DisplayBase::BeginScene() {
  if (!active_) return false;
  if (locked_) return true;
  locked_ = driver_->Lock();
  return locked_ != nullptr;
}

FrameBufferInfo* DisplayBase::GetBackBuffer() {
  if (!locked_) return nullptr;
  return shadow_ ? &shadow_->info() : locked_;
}

void DisplayBase::SetDirtyRect(const Rect*) {
  if (initialised_) return;
  const std::int32_t width = parameters_.width;
  const std::int32_t height = parameters_.height;
  const Rect screen = Rect{0, 0, width, height}.clippedTo(width, height);
  driver_->SetDirtyRect(screen);
  dirty_ = Rect{screen.left & ~1, screen.top & ~1, (screen.right + 1) & ~1, (screen.bottom + 1) & ~1}.clippedTo(width,
                                                                                                                height);
  fullRows_ = driver_->frameBuffer().pitch == (dirty_.right - dirty_.left) * 2;
}

bool DisplayBase::EndScene(std::uint32_t flags) {
  if (!locked_ || !active_) return false;
  if (shadow_) {
    if (flags & 1) driver_->WaitBeforeCopy();
    if (fullRows_) {
      copyBlock(*locked_, shadow_->info(), dirty_.top, dirty_.bottom);
    } else {
      copyRect(*locked_, shadow_->info(), dirty_);
    }
  }
  driver_->Unlock(flags);
  locked_ = nullptr;
  return true;
}

void DisplayBase::repaint() {
  if (driver_) driver_->repaint();
}

}  // namespace tdlx
