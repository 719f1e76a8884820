#include "tests/platform/shell/probe/ShellProbe.h"

namespace wce {

std::vector<ShellRequest> recordedShellRequests() {
    std::lock_guard lock(shellRecords().guard);
    return shellRecords().requests;
}

std::vector<std::u16string> recordedPhoneCalls() {
    std::lock_guard lock(shellRecords().guard);
    return shellRecords().calls;
}

void clearRecordedShellRequests() {
    std::lock_guard lock(shellRecords().guard);
    shellRecords().requests.clear();
    shellRecords().calls.clear();
}

}  // namespace wce
