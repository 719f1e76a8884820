#include "platform/devices/DeviceModules.h"

#include "platform/devices/CoreServices.h"
#include "platform/gapi/Gx.h"
#include "platform/gapi/GxDma.h"
#include "platform/gdi/DisplaySettings.h"
#include "platform/imageon/CoreLink.h"

namespace wce {

void registerDeviceModules() {
  registerCoreServiceEntries();
  registerDisplaySettingsEntries();
  registerGxEntries();
  registerGxDmaEntries();
  registerCoreLinkEntries();
}

}  // namespace wce
