#include "display/drivers/HardwareWait.h"

#include "display/device/DeviceTimer.h"
#include "platform/system/Clock.h"

namespace tdlx {

bool waitForHardware(const std::function<bool()>& done) {
  wce::Sleep(0);
  const std::uint32_t start = getMilliseconds();
  while (!done()) {
    if (getMilliseconds() - start >= kHardwareWaitLimitMs) return done();
    wce::Sleep(0);
  }
  return true;
}

}  // namespace tdlx
