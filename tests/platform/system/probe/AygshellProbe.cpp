#include "tests/platform/system/probe/AygshellProbe.h"

#include "platform/testing/CallLog.h"

namespace wce {
namespace {

// Installed before main, so that every call of the process is seen.
CallLog<ShellCall>& fullScreenCalls = installCallLog(aygshellCalls().fullScreen);
CallLog<ShellCall>& imeModeCalls = installCallLog(aygshellCalls().imeMode);

}  // namespace

std::vector<ShellCall> recordedFullScreenCalls() { return fullScreenCalls.calls(); }

std::vector<ShellCall> recordedImeModeCalls() { return imeModeCalls.calls(); }

void clearRecordedShellCalls() {
  fullScreenCalls.clear();
  imeModeCalls.clear();
}

}  // namespace wce
