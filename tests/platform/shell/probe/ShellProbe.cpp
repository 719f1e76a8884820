#include "tests/platform/shell/probe/ShellProbe.h"

namespace wce {

std::vector<ShellRequest> recordedShellRequests() { return shellRecords().requests.calls(); }

std::vector<std::u16string> recordedPhoneCalls() { return shellRecords().calls.calls(); }

void clearRecordedShellRequests() {
  shellRecords().requests.clear();
  shellRecords().calls.clear();
}

}  // namespace wce
