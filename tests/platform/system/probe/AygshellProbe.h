#pragma once
// What a test sees of the "aygshell.dll" calls made.

#include "platform/system/AygshellCalls.h"

#include <vector>

namespace wce {

std::vector<ShellCall> recordedFullScreenCalls();
std::vector<ShellCall> recordedImeModeCalls();
void clearRecordedShellCalls();

}  // namespace wce
