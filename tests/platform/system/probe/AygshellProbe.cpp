#include "tests/platform/system/probe/AygshellProbe.h"

namespace wce {

std::vector<ShellCall> recordedFullScreenCalls() {
    AygshellCalls& calls = aygshellCalls();
    std::lock_guard lock(calls.guard);
    return calls.fullScreen;
}

std::vector<ShellCall> recordedImeModeCalls() {
    AygshellCalls& calls = aygshellCalls();
    std::lock_guard lock(calls.guard);
    return calls.imeMode;
}

void clearRecordedShellCalls() {
    AygshellCalls& calls = aygshellCalls();
    std::lock_guard lock(calls.guard);
    calls.fullScreen.clear();
    calls.imeMode.clear();
}

}  // namespace wce
