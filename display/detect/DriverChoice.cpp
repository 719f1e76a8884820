#include "display/detect/DriverChoice.h"

#include "display/detect/DetectRecord.h"
#include "display/device/Log.h"
#include "display/drivers/DirectDriver.h"
#include "display/drivers/GapiDriver.h"
#include "display/drivers/GdiDriver.h"
#include "display/drivers/ImageonDriver.h"
#include "display/drivers/SlowFbDriver.h"
#include "display/drivers/StrongArmDriver.h"
#include "display/drivers/VgaDriver.h"
#include "display/drivers/XScaleDriver.h"

namespace tdlx {

std::optional<VideoDetect>& processDetectRecord() {
  static std::optional<VideoDetect> record;
  return record;
}

std::unique_ptr<VideoDriver> CreateDriver(std::uint32_t id) {
  logLine("CreateDriver( %08X )", id);
  switch (id) {
    case kGdiDriver: return std::make_unique<GdiDriver>();
    case kDirectDriver: return std::make_unique<DirectDriver>();
    case kGapiDriver: return std::make_unique<GapiDriver>();
    case kStrongArmDriver: return std::make_unique<StrongArmDriver>();
    case kXScaleDriver: return std::make_unique<XScaleDriver>();
    case kImageonDriver: return std::make_unique<ImageonDriver>();
    case kSlowFbDriver: return std::make_unique<SlowFbDriver>(std::make_unique<MediaQChip>());
    case kVgaDriver: return std::make_unique<VgaDriver>();
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
