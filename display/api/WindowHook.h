#pragma once
// The window procedure put in front of each display's window: it tells the
// display of activation and painting, and turns pen points and arrow keys to
// follow the display's orientation. One table for the process, window thread
// only.

#include "display/api/DisplayBase.h"
#include "platform/window/WindowTypes.h"

namespace tdlx {

inline constexpr int kMaxHookedWindows = 16;

// False with 16 windows hooked already or when the window refuses.
bool hookWindow(wce::HWND window, DisplayBase* display);
// Puts the previous procedure back; a window that is not hooked is left alone.
void unhookWindow(wce::HWND window);

// The point and key turned by d = (display orientation - system orientation) & 3
// on a display of width x height.
wce::LPARAM turnPoint(wce::LPARAM point, int d, int width, int height);
wce::WPARAM turnArrowKey(wce::WPARAM key, int d);

// The system orientation is read again at the next filtered message.
void forgetSystemOrientation();

}  // namespace tdlx
