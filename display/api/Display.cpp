#include "display/api/Display.h"

#include <cstddef>

#include "display/api/DisplayImpl.h"
#include "display/device/Log.h"

namespace tdlx {

Display::Display(std::unique_ptr<DisplayImpl> impl) : impl_(std::move(impl)) {}

Display::~Display() = default;

std::unique_ptr<Display> Display::Create(wce::HWND window, DisplayParams& params) {
  try {
    logLine("Tindralux (Version 1.0.6)");
    logLine("Display::Create( hwnd = %08zX, W:%d, H:%d, O:%d, S:%d )",
            reinterpret_cast<std::size_t>(window),
            params.width,
            params.height,
            params.orientation,
            params.swapEffect);
    if (params.swapEffect == 0) {
      logLine("Swap effect forced to SWAP_DISCARD");
      params.swapEffect = kSwapDiscard;
    }
    std::unique_ptr<Display> display(new Display(std::make_unique<DisplayImpl>(window)));
    logLine("Initializing display...");
    if (!display->impl_->Initialize(params)) {
      logLine("Failed, destroying internal structures");
      return nullptr;
    }
    const DisplayParameters& actual = display->impl_->parameters();
    params.width = actual.width;
    params.height = actual.height;
    params.orientation = actual.orientation;
    params.swapEffect = actual.bufferKind;
    logLine("Success, returning display params to caller (W:%d, H:%d, O:%d, S:%d)",
            params.width,
            params.height,
            params.orientation,
            params.swapEffect);
    return display;
  } catch (...) {
    // No exception leaves the library: running out of memory or a system call
    // that throws fails the creation like any other failure.
    logLine("Failed, destroying internal structures");
    return nullptr;
  }
}

const DisplayParameters* Display::GetParameters() const { return &impl_->parameters(); }

bool Display::BeginScene() { return impl_->BeginScene(); }

FrameBufferInfo* Display::GetBackBuffer() { return impl_->GetBackBuffer(); }

void Display::SetDirtyRect(const Rect* rect) { impl_->SetDirtyRect(rect); }

bool Display::EndScene(std::uint32_t flags) { return impl_->EndScene(flags); }

}  // namespace tdlx
