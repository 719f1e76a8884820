#include "display/device/DeviceTimer.h"

#include "display/device/DeviceModel.h"
#include "platform/devices/CoreServices.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Clock.h"

namespace tdlx {

std::uint32_t getMilliseconds() {
  std::int64_t frequency = 0;
  std::int64_t count = 0;
  if (getDeviceModel() != kModelHtcVoyager && wce::QueryPerformanceFrequency(&frequency) && frequency >= 1000 &&
      wce::QueryPerformanceCounter(&count)) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(count) / static_cast<std::uint64_t>(frequency / 1000));
  }
  return wce::GetTickCount();
}

ProcessorKind getProcessorKind() { return processorKindFromMainId(wce::deviceProfile().processorId); }

std::uint32_t getPageSize() {
  wce::SystemInfo info;
  wce::GetSystemInfo(&info);
  return info.pageSize;
}

}  // namespace tdlx
