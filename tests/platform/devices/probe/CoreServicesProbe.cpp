#include "tests/platform/devices/probe/CoreServicesProbe.h"

#include "platform/devices/CoreServicesState.h"

namespace wce {

std::vector<bool> recordedAllKeysCalls() { return coreServicesState().allKeysCalls.calls(); }

std::vector<bool> recordedKModeCalls() { return coreServicesState().kModeCalls.calls(); }

void clearRecordedCoreCalls() {
  coreServicesState().allKeysCalls.clear();
  coreServicesState().kModeCalls.clear();
}

}  // namespace wce
