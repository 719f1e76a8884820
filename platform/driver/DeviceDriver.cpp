#include "platform/driver/DeviceDriver.h"

#include <atomic>

#include "platform/driver/MemoryDriver.h"
#include "platform/waveout/WaveOutDriver.h"

namespace wce {
namespace {

std::atomic<DeviceDriver*> installed{nullptr};

DeviceDriver& standIn() {
  static MemoryDriver driver;
  return driver;
}

void install(DeviceDriver* driver) {
  installed.store(driver);
  installWaveOutDriver(driver ? driver->waveOut() : nullptr);
}

}  // namespace

DeviceDriver& deviceDriver() {
  DeviceDriver* driver = installed.load();
  return driver ? *driver : standIn();
}

void presentFrame() { deviceDriver().present(); }

DeviceDriverScope::DeviceDriverScope(DeviceDriver& driver) : previous_(installed.load()) { install(&driver); }

DeviceDriverScope::~DeviceDriverScope() { install(previous_); }

}  // namespace wce
