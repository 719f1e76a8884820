#include "platform/system/Aygshell.h"

#include "platform/system/AygshellCalls.h"

namespace wce {

AygshellCalls& aygshellCalls() {
    static AygshellCalls instance;
    return instance;
}

bool SHFullScreen(HWND window, DWORD state) {
    AygshellCalls& calls = aygshellCalls();
    std::lock_guard lock(calls.guard);
    calls.fullScreen.push_back({window, state});
    return true;
}

std::int32_t SHSetImeMode(HWND window, DWORD mode) {
    AygshellCalls& calls = aygshellCalls();
    std::lock_guard lock(calls.guard);
    calls.imeMode.push_back({window, mode});
    return 0;
}

}  // namespace wce
