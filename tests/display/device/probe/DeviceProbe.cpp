#include "tests/display/device/probe/DeviceProbe.h"

#include "display/device/DeviceCaches.h"

namespace tdlx {

void forgetDeviceModel() { cachedDeviceModel().reset(); }

void forgetProcessorAndPageSize() {
  cachedProcessorKind().reset();
  cachedPageSize().reset();
}

void forgetSystemLibraries() {
  coreLibraryHolder().reset();
  shellLibraryHolder().reset();
}

void restartLog() { logState().started = false; }

}  // namespace tdlx
