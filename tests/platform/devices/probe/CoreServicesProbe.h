#pragma once
// What a test sees of the core library's switches.

#include <vector>

namespace wce {

std::vector<bool> recordedAllKeysCalls();
std::vector<bool> recordedKModeCalls();
void clearRecordedCoreCalls();

}  // namespace wce
