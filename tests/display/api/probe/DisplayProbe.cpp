#include "tests/display/api/probe/DisplayProbe.h"

#include "display/api/HookTable.h"
#include "display/api/WindowHook.h"
#include "display/detect/DriverChoice.h"
#include "display/device/DeviceModel.h"
#include "display/device/Log.h"
#include "display/device/SystemLibraries.h"

namespace tdlx {

void forgetProcessState() {
    forgetVideoDetect();
    forgetDeviceModel();
    forgetSystemLibraries();
    forgetSystemOrientation();
    restartLog();
}

int hookedWindowCount() { return hookTable().count; }

}  // namespace tdlx
