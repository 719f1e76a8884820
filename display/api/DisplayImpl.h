#pragma once
// The display object over one window: the window hook, the task bar and the
// hardware keys, and the driver chosen from detection.

#include "display/api/DisplayBase.h"

namespace tdlx {

class DisplayImpl final : public DisplayBase {
public:
  explicit DisplayImpl(wce::HWND window) : DisplayBase(window) {}
  // Gives the keys back and unhooks the window.
  ~DisplayImpl() override;
  DisplayImpl(const DisplayImpl&) = delete;
  DisplayImpl& operator=(const DisplayImpl&) = delete;

  bool Initialize(DisplayParams& params) override;
  // Hides the task bar again and resumes the driver.
  void resume() override;
  // Shows the task bar and suspends the driver; scenes are refused until resumed.
  void suspend() override;
  bool active() const { return active_; }

protected:
  std::unique_ptr<VideoDriver> CreateVideoDriver(const DisplayParams& params) override;
};

}  // namespace tdlx
