#pragma once
// What detection found out about the device: the screen's mode, the
// orientations the display can be shown in, and the drivers that can reach it,
// in the order found.

#include <cstdint>
#include <vector>

#include "display/detect/DriverProbes.h"
#include "display/drivers/ModeRecord.h"

namespace tdlx {

enum DriverId : std::uint32_t {
  kGdiDriver = 1,
  kDirectDriver = 2,
  kGapiDriver = 3,
  kStrongArmDriver = 4,
  kXScaleDriver = 5,
  kImageonDriver = 6,
  kSlowFbDriver = 7,
  kVgaDriver = 8,
};

struct OrientationEntry {
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t orientation;
  bool operator==(const OrientationEntry&) const = default;
};

class VideoDetect {
public:
  // Runs every detection in order, then lists the orientations.
  explicit VideoDetect(DriverProbes& probes);

  const ModeRecord& mode() const { return mode_; }
  const std::vector<OrientationEntry>& orientations() const { return orientations_; }
  const std::vector<std::uint32_t>& drivers() const { return drivers_; }
  bool offersOrientation(std::int32_t orientation) const;

private:
  void DetectDrivers(DriverProbes& probes);
  // GAPI or the direct escape, then the LCD controllers and display chips.
  void detectFrameBufferPaths(DriverProbes& probes);
  void listOrientations();

  ModeRecord mode_;
  std::vector<OrientationEntry> orientations_;
  std::vector<std::uint32_t> drivers_;
};

}  // namespace tdlx
