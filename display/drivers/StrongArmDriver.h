#pragma once
// The StrongARM LCD controller's frame buffer. The copy waits for the
// controller's DMA to read rows height - 34 to height - 20.

#include "display/drivers/LcdDriver.h"

namespace tdlx {

class StrongArmDriver final : public LcdDriver {
public:
  static bool detect(ModeRecord& mode);

  StrongArmDriver();

private:
  // The iPAQ H3800 shows its frame turned, at a fixed address.
  std::optional<FixedFrame> fixedFrame() const override;
  bool scanInWindow(const PhysicalMapping& registers) const override;
};

}  // namespace tdlx
