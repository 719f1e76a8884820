#pragma once
// What a test sees of the "aygshell.dll" calls made.

#include <vector>

#include "platform/system/AygshellCalls.h"

namespace wce {

std::vector<ShellCall> recordedFullScreenCalls();
std::vector<ShellCall> recordedImeModeCalls();
void clearRecordedShellCalls();

}  // namespace wce
