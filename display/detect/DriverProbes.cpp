#include "display/detect/DriverProbes.h"

#include "display/device/DeviceTimer.h"
#include "display/device/Log.h"
#include "display/device/SystemLibraries.h"
#include "display/drivers/DriverDirect.h"
#include "display/drivers/DriverVGA.h"
#include "display/drivers/GDIDriver.h"
#include "display/drivers/GapiDriver.h"
#include "display/drivers/Imageon100.h"
#include "display/drivers/MediaQ.h"
#include "display/drivers/StrongArmDriver.h"
#include "display/drivers/XScaleDriver.h"
#include "platform/system/SystemInfo.h"

namespace tdlx {

bool DeviceDriverProbes::gdi(ModeRecord& mode) { return GDIDriver::detect(mode); }

bool DeviceDriverProbes::osVersion(std::uint32_t& major, std::uint32_t& minor) {
  wce::OsVersionInfo info;
  if (!wce::GetVersionExW(&info)) return false;
  major = info.major;
  minor = info.minor;
  return true;
}

bool DeviceDriverProbes::vga(ModeRecord& mode) { return DriverVGA::detect(mode); }

void DeviceDriverProbes::applyOrientationFix() { CoreLibrary::instance().applyOrientationFix(); }

bool DeviceDriverProbes::gapi(ModeRecord& mode) { return GapiDriver::detect(window_, mode); }

bool DeviceDriverProbes::gapiLibraryPresent() { return GapiDriver::libraryPresent(); }

bool DeviceDriverProbes::direct(ModeRecord& mode) { return DriverDirect::detect(mode); }

ProcessorKind DeviceDriverProbes::processorKind() { return getProcessorKind(); }

bool DeviceDriverProbes::strongArmLcd(ModeRecord& mode) { return StrongArmDriver::detect(mode); }

bool DeviceDriverProbes::xscaleLcd(ModeRecord& mode) { return XScaleDriver::detect(mode); }

bool DeviceDriverProbes::imageon(ModeRecord& mode) { return Imageon100::detect(mode); }

bool DeviceDriverProbes::mediaQ(ModeRecord& mode) { return MediaQ::detect(mode); }

}  // namespace tdlx
