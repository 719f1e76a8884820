#include "display/device/DeviceTimer.h"

#include "display/device/DeviceCaches.h"
#include "display/device/DeviceModel.h"
#include "platform/devices/CoreServices.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Clock.h"

namespace tdlx {

std::uint32_t getMilliseconds() {
  std::int64_t frequency = 0;
  std::int64_t count = 0;
  // The HTC Voyager's performance counter is not to be trusted: its tick
  // count serves instead.
  if (getDeviceModel() != kModelHtcVoyager && wce::QueryPerformanceFrequency(&frequency) && frequency >= 1000 &&
      wce::QueryPerformanceCounter(&count)) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(count) / static_cast<std::uint64_t>(frequency / 1000));
  }
  return wce::GetTickCount();
}

std::optional<ProcessorKind>& cachedProcessorKind() {
  static std::optional<ProcessorKind> kind;
  return kind;
}

std::optional<std::uint32_t>& cachedPageSize() {
  static std::optional<std::uint32_t> pageSize;
  return pageSize;
}

ProcessorKind getProcessorKind() {
  std::optional<ProcessorKind>& kind = cachedProcessorKind();
  if (!kind) kind = processorKindFromMainId(wce::deviceProfile().processorId);
  return *kind;
}

std::uint32_t getPageSize() {
  std::optional<std::uint32_t>& pageSize = cachedPageSize();
  if (!pageSize) {
    wce::SystemInfo info;
    wce::GetSystemInfo(&info);
    pageSize = info.pageSize;
  }
  return *pageSize;
}

}  // namespace tdlx
