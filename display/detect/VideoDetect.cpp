#include "display/detect/VideoDetect.h"

#include <algorithm>

#include "display/device/Log.h"

namespace tdlx {

VideoDetect::VideoDetect(DriverProbes& probes) {
  DetectDrivers(probes);
  listOrientations();
}

void VideoDetect::DetectDrivers(DriverProbes& probes) {
  logLine("VideoDetect::DetectDrivers()");
  ModeRecord gdiMode;
  if (probes.gdi(mode_)) {
    drivers_.push_back(kGdiDriver);
    gdiMode = mode_;
  }
  if (mode_.bitsPerPixel == 16) {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    if (probes.osVersion(major, minor)) {
      logLine("VideoDetect: OS Version is %u.%u", major, minor);
    } else {
      logLine("VideoDetect: Couldn't retrieve OS version info");
    }
    if (probes.vga(mode_)) {
      drivers_.push_back(kVgaDriver);
      if (gdiMode.width == mode_.height && gdiMode.height == mode_.width) probes.applyOrientationFix();
    } else {
      detectFrameBufferPaths(probes);
    }
  }
  if (mode_.orientation == kUnknownOrientation) mode_.orientation = 0;
}

void VideoDetect::detectFrameBufferPaths(DriverProbes& probes) {
  if (probes.gapi(mode_)) {
    drivers_.push_back(kGapiDriver);
    if (mode_.bufferKind == kBufferDrawable) return;
  } else if (!probes.gapiLibraryPresent() && probes.direct(mode_)) {
    drivers_.push_back(kDirectDriver);
    if (mode_.bufferKind == kBufferDrawable) return;
  }
  const ProcessorKind processor = probes.processorKind();
  if (processor == ProcessorKind::StrongArm && probes.strongArmLcd(mode_)) {
    drivers_.push_back(kStrongArmDriver);
    return;
  }
  if (processor == ProcessorKind::XScale && probes.xscaleLcd(mode_)) {
    drivers_.push_back(kXScaleDriver);
    return;
  }
  if (probes.imageon(mode_)) {
    drivers_.push_back(kImageonDriver);
    return;
  }
  if (probes.mediaQ(mode_)) drivers_.push_back(kSlowFbDriver);
}

void VideoDetect::listOrientations() {
  const std::uint32_t w = mode_.width;
  const std::uint32_t h = mode_.height;
  const std::uint32_t o = mode_.orientation;
  orientations_.push_back({w, h, o});
  if (w % 16 == 0 && h % 16 == 0) {
    orientations_.push_back({h, w, (o + 1) & 3});
    orientations_.push_back({w, h, (o + 2) & 3});
    orientations_.push_back({h, w, (o + 3) & 3});
  } else if (o == 1 || o == 3) {
    orientations_.push_back({h, w, 0});
  } else if (o == 2) {
    orientations_.push_back({w, h, 0});
  }
}

bool VideoDetect::offersOrientation(std::int32_t orientation) const {
  if (orientation == 4) return true;
  return std::any_of(orientations_.begin(), orientations_.end(), [orientation](const OrientationEntry& entry) {
    return static_cast<std::int32_t>(entry.orientation) == orientation;
  });
}

}  // namespace tdlx
