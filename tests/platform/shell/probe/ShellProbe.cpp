#include "tests/platform/shell/probe/ShellProbe.h"

#include "platform/testing/CallLog.h"

namespace wce {
namespace {

// Installed before main, so that every request of the process is seen.
CallLog<ShellRequest>& shellRequests = installCallLog(shellRecords().requests);
CallLog<std::u16string>& phoneCalls = installCallLog(shellRecords().calls);

}  // namespace

std::vector<ShellRequest> recordedShellRequests() { return shellRequests.calls(); }

std::vector<std::u16string> recordedPhoneCalls() { return phoneCalls.calls(); }

void clearRecordedShellRequests() {
  shellRequests.clear();
  phoneCalls.clear();
}

}  // namespace wce
