#include "platform/system/ActiveDevice.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "platform/system/DeviceProfileFile.h"

namespace wce {
namespace {

std::mutex guard;
std::optional<DeviceProfile> active;
std::atomic<int> orientation{0};

DeviceProfile profileFromEnvironment() {
  const char* path = std::getenv("NIGHTVAULT_DEVICE");
  if (!path || !*path) return DeviceProfile{};
  auto result = loadDeviceProfile(path);
  if (result.profile) return *result.profile;
  std::fprintf(stderr, "nightvault: device profile %s; using the default device\n", result.error.c_str());
  return DeviceProfile{};
}

}  // namespace

const DeviceProfile& deviceProfile() {
  std::lock_guard lock(guard);
  if (!active) {
    active = profileFromEnvironment();
    orientation.store(active->orientation);
  }
  return *active;
}

void setDeviceProfile(const DeviceProfile& profile) {
  std::lock_guard lock(guard);
  active = profile;
  orientation.store(profile.orientation & 3);
}

int displayOrientation() {
  deviceProfile();
  return orientation.load();
}

void setDisplayOrientation(int quarterTurns) {
  deviceProfile();
  orientation.store(quarterTurns & 3);
}

ScopedDeviceProfile::ScopedDeviceProfile(const DeviceProfile& profile)
    : previous_(deviceProfile()), previousOrientation_(displayOrientation()) {
  setDeviceProfile(profile);
}

ScopedDeviceProfile::~ScopedDeviceProfile() {
  setDeviceProfile(previous_);
  setDisplayOrientation(previousOrientation_);
}

ScreenSize screenSize() {
  const DeviceProfile& profile = deviceProfile();
  const bool turned = ((displayOrientation() - profile.orientation) & 1) != 0;
  return turned ? ScreenSize{profile.screenHeight, profile.screenWidth}
                : ScreenSize{profile.screenWidth, profile.screenHeight};
}

}  // namespace wce
