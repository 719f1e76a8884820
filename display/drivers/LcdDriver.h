#pragma once
// The frame buffer that a processor's LCD controller scans out; kind 0. The
// frame is the one the earlier detections found, at its address in this
// process, or a device's fixed frame, reached through physical memory. The
// wait before the copy holds back until the controller's scan, read through
// physical memory, lies in rows the copy does not disturb, for a bounded time.

#include <optional>

#include "display/device/PhysicalMemory.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

class LcdDriver : public VideoDriver {
public:
  // Fails when the window is gone, there is no frame (address 0 and no fixed
  // frame), or the fixed frame or the controller cannot be mapped.
  bool Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) final;
  FrameBufferInfo* Lock() final { return &frame_; }
  void Unlock(std::uint32_t) final {}
  void WaitBeforeCopy() final;

protected:
  LcdDriver(const char* name, std::uint64_t registersAddress, std::uint32_t registerBytes)
      : name_(name), registersAddress_(registersAddress), registerBytes_(registerBytes) {}

  // A frame at a fixed physical address, shown at a fixed orientation.
  struct FixedFrame {
    std::uint32_t orientation;
    std::uint64_t address;
  };
  // The device's fixed frame, which takes the place of the detected one.
  virtual std::optional<FixedFrame> fixedFrame() const { return std::nullopt; }
  // Whether the controller's scan lies in the rows the copy may run over.
  virtual bool scanInWindow(const PhysicalMapping& registers) const = 0;

private:
  // Maps the fixed frame at the address itself or, when both show the same
  // bytes, with bit 29 cleared; false when it cannot be mapped.
  bool mapFixedFrame(std::uint64_t address);

  const char* name_;
  std::uint64_t registersAddress_;
  std::uint32_t registerBytes_;
  PhysicalMapping frameView_;
  PhysicalMapping registers_;
};

}  // namespace tdlx
