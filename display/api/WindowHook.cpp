#include "display/api/WindowHook.h"

#include <cstdint>

#include "display/api/HookTable.h"
#include "display/device/SystemLibraries.h"
#include "platform/window/Messages.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tdlx {

HookTable& hookTable() {
  static HookTable instance;
  return instance;
}

namespace {

HookEntry* find(wce::HWND window) {
  HookTable& t = hookTable();
  for (int i = 0; i < t.count; ++i) {
    if (t.entries[i].window == window) return &t.entries[i];
  }
  return nullptr;
}

int systemOrientation() {
  HookTable& t = hookTable();
  if (t.systemOrientation == kAnyOrientation) t.systemOrientation = readSystemOrientation();
  return t.systemOrientation;
}

void filter(DisplayBase& display, wce::UINT message, wce::WPARAM& wParam, wce::LPARAM& lParam) {
  switch (message) {
    case wce::WM_SETTINGCHANGE: forgetSystemOrientation(); return;
    case wce::WM_ACTIVATE:
      if (wce::LOWORD(wParam) != 0) {
        display.resume();
      } else {
        display.suspend();
      }
      return;
    case wce::WM_PAINT: display.repaint(); return;
    case wce::WM_MOUSEMOVE:
    case wce::WM_LBUTTONDOWN:
    case wce::WM_LBUTTONUP:
    case wce::WM_KEYDOWN:
    case wce::WM_KEYUP: {
      const DisplayParameters& parameters = display.parameters();
      const int d = (parameters.orientation - systemOrientation()) & 3;
      if (message == wce::WM_KEYDOWN || message == wce::WM_KEYUP) {
        wParam = turnArrowKey(wParam, d);
      } else {
        lParam = turnPoint(lParam, d, parameters.width, parameters.height);
      }
      return;
    }
    default: return;
  }
}

wce::LRESULT hookProcedure(wce::HWND window, wce::UINT message, wce::WPARAM wParam, wce::LPARAM lParam) {
  HookEntry* entry = find(window);
  if (!entry) return wce::DefWindowProcW(window, message, wParam, lParam);
  const wce::WNDPROC previous = entry->previous;
  if (message == wce::WM_DESTROY) {
    unhookWindow(window);
  } else {
    filter(*entry->display, message, wParam, lParam);
  }
  return wce::CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace

bool hookWindow(wce::HWND window, DisplayBase* display) {
  HookTable& t = hookTable();
  if (t.count >= kMaxHookedWindows) return false;
  const wce::LONG_PTR previous =
      wce::SetWindowLongW(window, wce::GWL_WNDPROC, reinterpret_cast<wce::LONG_PTR>(&hookProcedure));
  if (previous == 0) return false;
  t.entries[t.count++] = HookEntry{window, reinterpret_cast<wce::WNDPROC>(previous), display};
  t.systemOrientation = kAnyOrientation;
  return true;
}

void unhookWindow(wce::HWND window) {
  HookEntry* entry = find(window);
  if (!entry) return;
  wce::SetWindowLongW(window, wce::GWL_WNDPROC, reinterpret_cast<wce::LONG_PTR>(entry->previous));
  HookTable& t = hookTable();
  *entry = t.entries[t.count - 1];
  t.entries[--t.count] = HookEntry{};
}

wce::LPARAM turnPoint(wce::LPARAM point, int d, int width, int height) {
  const int x = static_cast<std::int16_t>(wce::LOWORD(static_cast<std::uintptr_t>(point)));
  const int y = static_cast<std::int16_t>(wce::HIWORD(static_cast<std::uintptr_t>(point)));
  switch (d & 3) {
    case 1: return wce::MAKELPARAM(width - y - 1, x);
    case 2: return wce::MAKELPARAM(width - x - 1, height - y - 1);
    case 3: return wce::MAKELPARAM(y, height - x - 1);
    default: return point;
  }
}

wce::WPARAM turnArrowKey(wce::WPARAM key, int d) {
  if (key < wce::VK_LEFT || key > wce::VK_DOWN) return key;
  return wce::VK_LEFT + ((key - wce::VK_LEFT + static_cast<wce::WPARAM>(d & 3)) & 3);
}

void forgetSystemOrientation() { hookTable().systemOrientation = kAnyOrientation; }

}  // namespace tdlx
