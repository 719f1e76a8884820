#pragma once
// The message loop of the window thread. Messages are taken in this order:
// posted messages (first in, first out), then WM_QUIT, then WM_PAINT for a
// window that waits for it, then WM_TIMER for a due timer. So a timer message
// comes only when nothing else waits, and at most one per timer.

#include "platform/window/WindowTypes.h"

namespace wce {

// Calls the window's current procedure at once; 0 for a dead window.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Any thread. A null window posts to the thread; false for a dead window.
bool PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// PM_REMOVE or PM_NOREMOVE; false when no message passes the filter.
bool PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags);
// Waits for a message: 0 for WM_QUIT, -1 for a null message or a dead filter
// window, else 1.
int GetMessageW(MSG* message, HWND window, UINT first, UINT last);
// With no handles (count 0): waits until a message waits in the queue or
// milliseconds (INFINITE: no limit) passed, sleeping in the device driver
// (a due timer counts as a message). WAIT_OBJECT_0 for a message,
// WAIT_TIMEOUT, or WAIT_FAILED for handles, which nothing here waits on.
DWORD MsgWaitForMultipleObjects(DWORD count, const void* handles, bool waitAll, DWORD milliseconds, DWORD wakeMask);
// Nothing reads character messages: answers false.
bool TranslateMessage(const MSG* message);
// Calls the target window's current procedure; a WM_TIMER whose lParam holds
// a timer procedure calls that instead.
LRESULT DispatchMessageW(const MSG* message);

// Starts or restarts the timer id of the window; answers the id (1 for id 0),
// or 0 for a dead window. Intervals below 1 ms count as 1 ms.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT intervalMs, TIMERPROC procedure);
bool KillTimer(HWND window, UINT_PTR id);

}  // namespace wce
