#include "display/drivers/HardwareWait.h"

#include "display/device/DeviceTimer.h"
#include "platform/system/Clock.h"

namespace tdlx {

bool waitForHardware(const std::function<bool()>& done) {
  wce::Sleep(0);
  const std::uint32_t start = getMilliseconds();
  for (std::uint32_t polls = 1; !done(); ++polls) {
    if (getMilliseconds() - start >= kHardwareWaitLimitMs || polls >= kHardwareWaitPolls) return done();
    wce::Sleep(0);
  }
  return true;
}

}  // namespace tdlx
