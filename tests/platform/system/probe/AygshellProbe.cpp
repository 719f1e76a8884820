#include "tests/platform/system/probe/AygshellProbe.h"

namespace wce {

std::vector<ShellCall> recordedFullScreenCalls() { return aygshellCalls().fullScreen.calls(); }

std::vector<ShellCall> recordedImeModeCalls() { return aygshellCalls().imeMode.calls(); }

void clearRecordedShellCalls() {
  aygshellCalls().fullScreen.clear();
  aygshellCalls().imeMode.clear();
}

}  // namespace wce
