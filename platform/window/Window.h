#pragma once
// One window of the emulated desktop. HWND points at it.

#include <string>

#include "platform/window/WindowTypes.h"

namespace wce {

struct Window {
  std::u16string className;
  std::u16string title;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR userData = 0;
  HWND parent = nullptr;
  HINSTANCE instance = nullptr;
  RECT rect;  // in screen coordinates
  bool visible = false;
  // The part that waits for WM_PAINT; empty when nothing does.
  RECT updateRect;
  bool needsPaint = false;
  // Set while WM_DESTROY is being sent, so that the window dies once.
  bool destroying = false;
};

}  // namespace wce
