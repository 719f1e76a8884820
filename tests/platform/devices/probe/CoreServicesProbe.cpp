#include "tests/platform/devices/probe/CoreServicesProbe.h"

#include "platform/devices/CoreServicesState.h"
#include "platform/testing/CallLog.h"

namespace wce {
namespace {

// Installed before main, so that every call of the process is seen.
CallLog<bool>& allKeysCalls = installCallLog(coreServicesState().allKeysCalls);
CallLog<bool>& kModeCalls = installCallLog(coreServicesState().kModeCalls);

}  // namespace

std::vector<bool> recordedAllKeysCalls() { return allKeysCalls.calls(); }

std::vector<bool> recordedKModeCalls() { return kModeCalls.calls(); }

void clearRecordedCoreCalls() {
  allKeysCalls.clear();
  kModeCalls.clear();
}

}  // namespace wce
