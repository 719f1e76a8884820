#pragma once
// The built-in "aygshell.dll": shell calls that only change how the device
// shell looks; a test may record them (AygshellCalls.h).

#include <cstdint>

#include "platform/system/WinTypes.h"

namespace wce {

inline constexpr DWORD SHFS_SHOWTASKBAR = 0x01;
inline constexpr DWORD SHFS_HIDETASKBAR = 0x02;
inline constexpr DWORD SHFS_SHOWSIPBUTTON = 0x04;
inline constexpr DWORD SHFS_HIDESIPBUTTON = 0x08;
inline constexpr DWORD SHFS_SHOWSTARTICON = 0x10;
inline constexpr DWORD SHFS_HIDESTARTICON = 0x20;

using SHFullScreenFunction = bool (*)(HWND window, DWORD state);
using SHSetImeModeFunction = std::int32_t (*)(HWND window, DWORD mode);

// Answers true.
bool SHFullScreen(HWND window, DWORD state);
// Answers 0 (success).
std::int32_t SHSetImeMode(HWND window, DWORD mode);

}  // namespace wce
