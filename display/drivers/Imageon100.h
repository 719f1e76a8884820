#pragma once
// The Imageon 100 chip: drawing goes into a chip surface of the screen's size
// that an overlay at (0, 0) shows; the CPU reaches it through a memory
// transfer between Lock and Unlock. Kind 0.

#include "display/device/ImageonLibrary.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

class Imageon100 final : public VideoDriver {
public:
  // How often Lock asks the chip whether it is idle before it gives up.
  static constexpr int kIdleTries = 50;

  // Device model 6 or 7 with the chip library; attaches and detaches once.
  static bool detect(ModeRecord& mode);

  Imageon100() = default;
  ~Imageon100() override;
  Imageon100(const Imageon100&) = delete;
  Imageon100& operator=(const Imageon100&) = delete;

  void resume() override;
  void suspend() override;

  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  // Null while the chip stays busy or the transfer cannot be set up.
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t flags) override;

private:
  void endTransfer();

  ImageonLibrary chip_;
  bool attached_ = false;
  bool haveSurface_ = false;
  bool haveOverlay_ = false;
  bool transferOpen_ = false;
  std::uint32_t surface_ = 0;
  std::uint32_t overlay_ = 0;
};

}  // namespace tdlx
