#include "tests/platform/devices/probe/CoreServicesProbe.h"

#include "platform/devices/CoreServicesState.h"

namespace wce {

std::vector<bool> recordedAllKeysCalls() {
    CoreServicesState& s = coreServicesState();
    std::lock_guard lock(s.guard);
    return s.allKeysCalls;
}

std::vector<bool> recordedKModeCalls() {
    CoreServicesState& s = coreServicesState();
    std::lock_guard lock(s.guard);
    return s.kModeCalls;
}

void clearRecordedCoreCalls() {
    CoreServicesState& s = coreServicesState();
    std::lock_guard lock(s.guard);
    s.allKeysCalls.clear();
    s.kModeCalls.clear();
}

}  // namespace wce
