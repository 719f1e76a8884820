#pragma once
// The XScale LCD controller's frame buffer. The copy waits for the
// controller's scan position to lie between rows 20 and 34.

#include "display/drivers/LcdDriver.h"

namespace tdlx {

class XScaleDriver final : public LcdDriver {
public:
  static bool detect(ModeRecord& mode);

  XScaleDriver();

private:
  bool scanInWindow(const PhysicalMapping& registers) const override;
};

}  // namespace tdlx
