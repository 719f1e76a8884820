#pragma once
// What a test sees of the shell and phone requests made.

#include <string>
#include <vector>

#include "platform/shell/ShellRecords.h"

namespace wce {

std::vector<ShellRequest> recordedShellRequests();
std::vector<std::u16string> recordedPhoneCalls();
void clearRecordedShellRequests();

}  // namespace wce
