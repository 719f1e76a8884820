#pragma once
// The device this process emulates. On first use it is read from the profile
// file named by NIGHTVAULT_DEVICE (see DeviceProfileFile.h), or is the default
// profile; a file that cannot be used is reported on standard error and the
// default profile is used instead. Tests replace it with setDeviceProfile,
// before any other thread reads it.

#include "platform/system/DeviceProfile.h"

namespace wce {

const DeviceProfile& deviceProfile();
// Also resets the display orientation to the profile's.
void setDeviceProfile(const DeviceProfile& profile);

// The display orientation now, in quarter turns 0..3; starts at the profile's.
int displayOrientation();
void setDisplayOrientation(int quarterTurns);

// Sets a profile for the lifetime of the object, then restores the previous
// profile and orientation.
class ScopedDeviceProfile {
public:
  explicit ScopedDeviceProfile(const DeviceProfile& profile);
  ~ScopedDeviceProfile();
  ScopedDeviceProfile(const ScopedDeviceProfile&) = delete;
  ScopedDeviceProfile& operator=(const ScopedDeviceProfile&) = delete;

private:
  DeviceProfile previous_;
  int previousOrientation_;
};

struct ScreenSize {
  int width;
  int height;
};
// The screen as the system shows it at the current orientation.
ScreenSize screenSize();

}  // namespace wce
