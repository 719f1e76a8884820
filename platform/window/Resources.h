#pragma once
// The executable's resources: string 101 (the title), string 102 (the window
// class), icon 103 and cursor 104. Bitmaps are the GDI's
// (platform/gdi/BitmapResources.h).

#include <cstdint>

#include "platform/window/WindowTypes.h"

namespace wce {

inline constexpr UINT IDS_TITLE = 101;
inline constexpr UINT IDS_WINDOW_CLASS = 102;
inline constexpr UINT IDI_APPLICATION_ICON = 103;
inline constexpr UINT IDC_APPLICATION_CURSOR = 104;

// Copies at most units - 1 units and a terminator; answers the units copied,
// 0 for an unknown id or no room.
int LoadStringW(HINSTANCE instance, UINT id, char16_t* buffer, int units);
// Null for an unknown id.
HICON LoadIconW(HINSTANCE instance, UINT id);
HCURSOR LoadCursorW(HINSTANCE instance, UINT id);

}  // namespace wce
