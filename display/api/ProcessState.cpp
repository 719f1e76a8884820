#include "display/api/ProcessState.h"

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

}  // namespace tdlx
