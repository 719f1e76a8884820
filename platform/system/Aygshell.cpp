#include "platform/system/Aygshell.h"

#include <mutex>

namespace wce {
namespace {

std::mutex guard;
std::vector<ShellCall> fullScreenCalls;
std::vector<ShellCall> imeModeCalls;

}  // namespace

bool SHFullScreen(HWND window, DWORD state) {
    std::lock_guard lock(guard);
    fullScreenCalls.push_back({window, state});
    return true;
}

std::int32_t SHSetImeMode(HWND window, DWORD mode) {
    std::lock_guard lock(guard);
    imeModeCalls.push_back({window, mode});
    return 0;
}

std::vector<ShellCall> recordedFullScreenCalls() {
    std::lock_guard lock(guard);
    return fullScreenCalls;
}

std::vector<ShellCall> recordedImeModeCalls() {
    std::lock_guard lock(guard);
    return imeModeCalls;
}

void clearRecordedShellCalls() {
    std::lock_guard lock(guard);
    fullScreenCalls.clear();
    imeModeCalls.clear();
}

}  // namespace wce
