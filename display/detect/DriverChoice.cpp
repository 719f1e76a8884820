#include "display/detect/DriverChoice.h"

#include "display/detect/DetectRecord.h"
#include "display/device/Log.h"
#include "display/drivers/DriverDirect.h"
#include "display/drivers/DriverVGA.h"
#include "display/drivers/GDIDriver.h"
#include "display/drivers/GapiDriver.h"
#include "display/drivers/Imageon100.h"
#include "display/drivers/SlowFB.h"
#include "display/drivers/StrongArmDriver.h"
#include "display/drivers/XScaleDriver.h"

namespace tdlx {

std::optional<VideoDetect>& processDetectRecord() {
  static std::optional<VideoDetect> record;
  return record;
}

std::unique_ptr<VideoDriver> CreateDriver(std::uint32_t id) {
  logLine("CreateDriver( %08X )", id);
  switch (id) {
    case kGdiDriver: return std::make_unique<GDIDriver>();
    case kDirectDriver: return std::make_unique<DriverDirect>();
    case kGapiDriver: return std::make_unique<GapiDriver>();
    case kStrongArmDriver: return std::make_unique<StrongArmDriver>();
    case kXScaleDriver: return std::make_unique<XScaleDriver>();
    case kImageonDriver: return std::make_unique<Imageon100>();
    case kSlowFbDriver: return std::make_unique<SlowFB>(std::make_unique<MediaQ>());
    case kVgaDriver: return std::make_unique<DriverVGA>();
    default: return nullptr;
  }
}

std::unique_ptr<VideoDriver> chooseDriver(const VideoDetect& detect, wce::HWND window, const DisplayParams& params,
                                          const DriverFactory& factory) {
  const auto& found = detect.drivers();
  if (found.empty() || !detect.offersOrientation(params.orientation)) return nullptr;
  for (auto id = found.rbegin(); id != found.rend(); ++id) {
    try {
      std::unique_ptr<VideoDriver> driver = factory(*id);
      logLine("Initializing video driver...");
      if (driver && driver->Initialize(window, params, detect.mode())) {
        logLine("Driver initialized!");
        return driver;
      }
      logLine(" Failed to initialize driver");
    } catch (...) {
      logLine("*** CAUGHT EXCEPTION ***");
    }
  }
  return nullptr;
}

const VideoDetect& processVideoDetect(wce::HWND window) {
  std::optional<VideoDetect>& record = processDetectRecord();
  if (!record) {
    DeviceDriverProbes probes(window);
    record.emplace(probes);
  }
  return *record;
}

}  // namespace tdlx
