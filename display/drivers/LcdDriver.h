#pragma once
// A frame buffer that a processor's LCD controller scans out, reached through
// physical memory; kind 0. The wait before the copy holds back until the
// controller's scan lies in rows the copy does not disturb, for a bounded time.

#include "display/device/PhysicalMemory.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

class LcdDriver : public VideoDriver {
public:
  // Fails when the window is gone, the frame address is 0, or the frame or
  // the controller cannot be mapped.
  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) final;
  FrameBufferInfo* Lock() final { return &frame_; }
  void Unlock(std::uint32_t) final {}
  void WaitBeforeCopy() final;

protected:
  LcdDriver(const char* name, std::uint64_t registersAddress, std::uint32_t registerBytes)
      : name_(name), registersAddress_(registersAddress), registerBytes_(registerBytes) {}
  // Device-specific changes to the detected mode.
  virtual void adjustMode(ModeRecord&) {}
  // Whether the controller's scan lies in the rows the copy may run over.
  virtual bool scanInWindow(const PhysicalMapping& registers) const = 0;

private:
  // The address itself, or with bit 29 cleared when both show the same bytes.
  std::uint64_t chooseAlias(std::uint64_t address);

  const char* name_;
  std::uint64_t registersAddress_;
  std::uint32_t registerBytes_;
  PhysicalMapping frameView_;
  PhysicalMapping registers_;
};

}  // namespace tdlx
