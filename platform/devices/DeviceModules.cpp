#include "platform/devices/DeviceModules.h"

#include "platform/devices/CoreServices.h"
#include "platform/gapi/Gx.h"
#include "platform/gapi/GxDma.h"
#include "platform/gdi/DisplaySettings.h"

namespace wce {

void registerDeviceModules() {
    registerCoreServiceEntries();
    registerDisplaySettingsEntries();
    registerGxEntries();
    registerGxDmaEntries();
}

}  // namespace wce
