#pragma once
// Window classes, windows, window procedures and the foreground window.
// Window thread only, except IsWindow.

#include "platform/window/WindowTypes.h"

namespace wce {

// Class names compare without regard to ASCII case. Fails for a name already
// registered, no name or no procedure.
ATOM RegisterClassW(const WindowClassInfo* info);
// Fails while a window of the class exists.
bool UnregisterClassW(const char16_t* className, HINSTANCE instance);

// Sends WM_CREATE; a result of -1 destroys the window again and fails. A
// visible window waits for WM_PAINT. A top-level window becomes the foreground
// window; when visible it is sent WM_ACTIVATE (WA_ACTIVE), and the window that
// was in front WM_ACTIVATE (WA_INACTIVE).
HWND CreateWindowExW(DWORD exStyle, const char16_t* className, const char16_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* parameter);
// Sends WM_DESTROY, destroys its child windows first, and drops its timers
// and posted messages.
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);
// Answers whether the window was visible before.
bool ShowWindow(HWND window, int command);
// Sends WM_PAINT at once when part of the window waits for it.
bool UpdateWindow(HWND window);

// A live window of that class and title (null matches any). With the single-
// instance lock configured and no such window here, a window of another
// process that holds the lock is answered by a stand-in handle that only
// SetForegroundWindow accepts.
HWND FindWindowW(const char16_t* className, const char16_t* title);
// Bit 0 of the handle is ignored. Activates the window (WM_ACTIVATE to the
// old and the new foreground window).
bool SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
// The most recently created live top-level window: where device input goes.
HWND newestTopLevelWindow();
// Focus gained or lost by the device as a whole: the window becomes the
// foreground window or none is, and it is posted WM_ACTIVATE.
void deliverActivation(HWND window, bool active);

// GWL_WNDPROC, GWL_STYLE, GWL_EXSTYLE, GWL_USERDATA. The setter answers the
// previous value; both answer 0 for a dead window or another index.
LONG_PTR GetWindowLongW(HWND window, int index);
LONG_PTR SetWindowLongW(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_CLOSE destroys the window; WM_PAINT validates it; everything answers 0.
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool GetClientRect(HWND window, RECT* rect);
bool GetWindowRect(HWND window, RECT* rect);
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint);
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);

// Client coordinates; a null rect means the whole client area.
bool InvalidateRect(HWND window, const RECT* rect, bool erase);
// Validates the whole window, whatever the rect.
bool ValidateRect(HWND window, const RECT* rect);
// Answers whether part of the window waits for WM_PAINT, and its bounds.
bool GetUpdateRect(HWND window, RECT* rect, bool erase);

}  // namespace wce
