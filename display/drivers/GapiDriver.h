#pragma once
// The frame buffer of "gx.dll", turned back to the panel's own layout.

#include <cstddef>
#include <memory>

#include "display/drivers/GxLibrary.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

class GapiDriver final : public VideoDriver {
public:
  // Found when the GAPI screen has as many pixels as the screen DC.
  static bool detect(wce::HWND window, ModeRecord& mode);
  // Whether the device has "gx.dll" at all.
  static bool libraryPresent();

  GapiDriver() = default;
  ~GapiDriver() override;
  GapiDriver(const GapiDriver&) = delete;
  GapiDriver& operator=(const GapiDriver&) = delete;

  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) override;
  FrameBufferInfo* Lock() override;
  void Unlock(std::uint32_t flags) override;
  // Sets the GAPI viewport to the rectangle's rows in GAPI's own orientation.
  void SetDirtyRect(const Rect& rect) override;
  void resume() override;
  void suspend() override;

private:
  std::unique_ptr<GxLibrary> gx_;
  bool open_ = false;
  // Devices whose GAPI buffer is used without GXBeginDraw and GXEndDraw.
  bool fixedAddress_ = false;
  bool drawing_ = false;
  std::ptrdiff_t offset_ = 0;
};

}  // namespace tdlx
