#pragma once
// What a test sees of the shell and phone requests made.

#include "platform/shell/ShellRecords.h"

#include <string>
#include <vector>

namespace wce {

std::vector<ShellRequest> recordedShellRequests();
std::vector<std::u16string> recordedPhoneCalls();
void clearRecordedShellRequests();

}  // namespace wce
