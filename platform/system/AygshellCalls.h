#pragma once
// The "aygshell.dll" calls made so far, in order.

#include "platform/system/WinTypes.h"

#include <mutex>
#include <vector>

namespace wce {

struct ShellCall {
    HWND window;
    DWORD argument;
    bool operator==(const ShellCall&) const = default;
};

struct AygshellCalls {
    std::mutex guard;
    std::vector<ShellCall> fullScreen;
    std::vector<ShellCall> imeMode;
};

AygshellCalls& aygshellCalls();

}  // namespace wce
