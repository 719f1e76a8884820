#include "display/detect/DriverProbes.h"

#include "display/device/DeviceTimer.h"
#include "display/device/Log.h"
#include "display/device/SystemLibraries.h"
#include "display/drivers/DirectDriver.h"
#include "display/drivers/GapiDriver.h"
#include "display/drivers/GdiDriver.h"
#include "display/drivers/ImageonDriver.h"
#include "display/drivers/MediaQChip.h"
#include "display/drivers/StrongArmDriver.h"
#include "display/drivers/VgaDriver.h"
#include "display/drivers/XScaleDriver.h"
#include "platform/system/SystemInfo.h"

namespace tdlx {

bool DeviceDriverProbes::gdi(ModeRecord& mode) { return GdiDriver::detect(mode); }

bool DeviceDriverProbes::osVersion(std::uint32_t& major, std::uint32_t& minor) {
  wce::OsVersionInfo info;
  if (!wce::GetVersionExW(&info)) return false;
  major = info.major;
  minor = info.minor;
  return true;
}

bool DeviceDriverProbes::vga(ModeRecord& mode) { return VgaDriver::detect(mode); }

void DeviceDriverProbes::applyOrientationFix() { CoreLibrary::instance().applyOrientationFix(); }

bool DeviceDriverProbes::gapi(ModeRecord& mode) { return GapiDriver::detect(window_, mode); }

bool DeviceDriverProbes::gapiLibraryPresent() { return GapiDriver::libraryPresent(); }

bool DeviceDriverProbes::direct(ModeRecord& mode) { return DirectDriver::detect(mode); }

ProcessorKind DeviceDriverProbes::processorKind() { return getProcessorKind(); }

bool DeviceDriverProbes::strongArmLcd(ModeRecord& mode) { return StrongArmDriver::detect(mode); }

bool DeviceDriverProbes::xscaleLcd(ModeRecord& mode) { return XScaleDriver::detect(mode); }

bool DeviceDriverProbes::imageon(ModeRecord& mode) { return ImageonDriver::detect(mode); }

bool DeviceDriverProbes::mediaQ(ModeRecord& mode) { return MediaQChip::detect(mode); }

}  // namespace tdlx
