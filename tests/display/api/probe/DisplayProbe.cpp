#include "tests/display/api/probe/DisplayProbe.h"

#include "display/api/HookTable.h"
#include "display/api/WindowHook.h"
#include "tests/display/detect/probe/DetectProbe.h"
#include "tests/display/device/probe/DeviceProbe.h"

namespace tdlx {

void forgetProcessState() {
  forgetVideoDetect();
  forgetDeviceModel();
  forgetProcessorAndPageSize();
  forgetSystemLibraries();
  forgetSystemOrientation();
  restartLog();
}

int hookedWindowCount() { return hookTable().count; }

}  // namespace tdlx
