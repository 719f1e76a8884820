#pragma once
// The detections that VideoDetect runs, one per way to the screen. Each fills
// the mode record with what it found and answers whether it found it.

#include <cstdint>

#include "display/drivers/ModeRecord.h"
#include "display/kernels/ProcessorKind.h"
#include "platform/system/WinTypes.h"

namespace tdlx {

class DriverProbes {
public:
  virtual ~DriverProbes() = default;
  virtual bool gdi(ModeRecord& mode) = 0;
  virtual bool osVersion(std::uint32_t& major, std::uint32_t& minor) = 0;
  virtual bool vga(ModeRecord& mode) = 0;
  virtual void applyOrientationFix() = 0;
  virtual bool gapi(ModeRecord& mode) = 0;
  virtual bool gapiLibraryPresent() = 0;
  virtual bool direct(ModeRecord& mode) = 0;
  virtual ProcessorKind processorKind() = 0;
  virtual bool strongArmLcd(ModeRecord& mode) = 0;
  virtual bool xscaleLcd(ModeRecord& mode) = 0;
  virtual bool imageon(ModeRecord& mode) = 0;
  virtual bool mediaQ(ModeRecord& mode) = 0;
};

// The detections of this device's drivers, for the window detection runs with.
class DeviceDriverProbes final : public DriverProbes {
public:
  explicit DeviceDriverProbes(wce::HWND window) : window_(window) {}

  bool gdi(ModeRecord& mode) override;
  bool osVersion(std::uint32_t& major, std::uint32_t& minor) override;
  bool vga(ModeRecord& mode) override;
  void applyOrientationFix() override;
  bool gapi(ModeRecord& mode) override;
  bool gapiLibraryPresent() override;
  bool direct(ModeRecord& mode) override;
  ProcessorKind processorKind() override;
  bool strongArmLcd(ModeRecord& mode) override;
  bool xscaleLcd(ModeRecord& mode) override;
  bool imageon(ModeRecord& mode) override;
  bool mediaQ(ModeRecord& mode) override;

private:
  wce::HWND window_;
};

}  // namespace tdlx
