#include "platform/window/Windows.h"

#include <algorithm>
#include <cstdint>

#include "platform/window/Desktop.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "platform/window/SingleInstanceLock.h"
#include "platform/window/TimerTable.h"

namespace wce {
namespace {

// Stands for the window of another copy of the program.
Window otherInstanceWindow;

HWND withoutTagBit(HWND window) {
  return reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(window) & ~std::uintptr_t{1});
}

Window* live(HWND window) { return Desktop::instance().isLive(window) ? window : nullptr; }

RECT clientRect(const Window& window) {
  return RECT{0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
}

RECT unite(const RECT& a, const RECT& b) {
  return RECT{
      std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

void activate(HWND window) {
  Desktop& desktop = Desktop::instance();
  const HWND previous = desktop.foreground();
  desktop.setForeground(window);
  if (previous == window) return;
  if (previous && live(previous)) SendMessageW(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
  if (window->visible) SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
}

}  // namespace

ATOM RegisterClassW(const WindowClassInfo* info) {
  static ATOM nextAtom = 0xC000;
  if (!info || !Desktop::instance().registerClass(*info)) return 0;
  return nextAtom == 0xFFFF ? nextAtom : nextAtom++;
}

bool UnregisterClassW(const char16_t* className, HINSTANCE) {
  return className && Desktop::instance().unregisterClass(className);
}

HWND CreateWindowExW(DWORD exStyle, const char16_t* className, const char16_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, void*, HINSTANCE instance, void* parameter) {
  if (!className) return nullptr;
  const auto windowClass = Desktop::instance().findClass(className);
  if (!windowClass || (parent && !live(parent))) return nullptr;
  auto created = std::make_unique<Window>();
  created->className = className;
  created->title = title ? title : u"";
  created->procedure = windowClass->procedure;
  created->style = style;
  created->exStyle = exStyle;
  created->parent = parent;
  created->instance = instance;
  created->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  created->visible = (style & WS_VISIBLE) != 0;
  const HWND window = Desktop::instance().add(std::move(created));
  if (!parent) SingleInstanceLock::instance().claim(window->className, window->title);
  if (SendMessageW(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(parameter)) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  if (!live(window)) return nullptr;
  if (window->visible) InvalidateRect(window, nullptr, true);
  if (!parent) activate(window);
  return window;
}

bool DestroyWindow(HWND window) {
  if (!live(window) || window->destroying) return false;
  window->destroying = true;
  for (HWND child : Desktop::instance().windows()) {
    if (child->parent == window) DestroyWindow(child);
  }
  SendMessageW(window, WM_DESTROY, 0, 0);
  TimerTable::instance().killAll(window);
  MessageQueue::instance().discardFor(window);
  return Desktop::instance().remove(window);
}

bool IsWindow(HWND window) { return live(window) != nullptr; }

bool ShowWindow(HWND window, int command) {
  if (!live(window)) return false;
  const bool wasVisible = window->visible;
  window->visible = command != SW_HIDE;
  if (window->visible && !wasVisible) InvalidateRect(window, nullptr, true);
  return wasVisible;
}

bool UpdateWindow(HWND window) {
  if (!live(window)) return false;
  if (window->needsPaint && window->visible) SendMessageW(window, WM_PAINT, 0, 0);
  return true;
}

HWND FindWindowW(const char16_t* className, const char16_t* title) {
  if (HWND found = Desktop::instance().find(className, title)) return found;
  if (className && title && !SingleInstanceLock::instance().claim(className, title)) return &otherInstanceWindow;
  return nullptr;
}

bool SetForegroundWindow(HWND window) {
  window = withoutTagBit(window);
  if (window == &otherInstanceWindow) return true;
  if (!live(window)) return false;
  activate(window);
  return true;
}

HWND GetForegroundWindow() { return Desktop::instance().foreground(); }

HWND newestTopLevelWindow() { return Desktop::instance().newestTopLevel(); }

void deliverActivation(HWND window, bool active) {
  if (!live(window)) return;
  Desktop::instance().setForeground(active ? window : nullptr);
  PostMessageW(window, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

LONG_PTR GetWindowLongW(HWND window, int index) {
  if (!live(window)) return 0;
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWL_STYLE: return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->exStyle);
    case GWL_USERDATA: return window->userData;
    default: return 0;
  }
}

LONG_PTR SetWindowLongW(HWND window, int index, LONG_PTR value) {
  if (!live(window)) return 0;
  const LONG_PTR previous = GetWindowLongW(window, index);
  switch (index) {
    case GWL_WNDPROC:
      if (!value) return 0;
      window->procedure = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_STYLE: window->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: window->exStyle = static_cast<DWORD>(value); break;
    case GWL_USERDATA: window->userData = value; break;
    default: return 0;
  }
  return previous;
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_CLOSE: DestroyWindow(window); break;
    case WM_PAINT: ValidateRect(window, nullptr); break;
    default: break;
  }
  return 0;
}

bool GetClientRect(HWND window, RECT* rect) {
  if (!live(window) || !rect) return false;
  *rect = clientRect(*window);
  return true;
}

bool GetWindowRect(HWND window, RECT* rect) {
  if (!live(window) || !rect) return false;
  *rect = window->rect;
  return true;
}

bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

bool SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags) {
  if (!live(window)) return false;
  RECT& rect = window->rect;
  if (flags & SWP_NOMOVE) x = rect.left, y = rect.top;
  if (flags & SWP_NOSIZE) width = rect.right - rect.left, height = rect.bottom - rect.top;
  rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (!(flags & SWP_NOREDRAW)) InvalidateRect(window, nullptr, true);
  return true;
}

bool InvalidateRect(HWND window, const RECT* rect, bool) {
  if (!live(window)) return false;
  const RECT area = rect ? *rect : clientRect(*window);
  window->updateRect = window->needsPaint ? unite(window->updateRect, area) : area;
  window->needsPaint = true;
  return true;
}

bool ValidateRect(HWND window, const RECT*) {
  if (!live(window)) return false;
  window->needsPaint = false;
  window->updateRect = RECT{};
  return true;
}

bool GetUpdateRect(HWND window, RECT* rect, bool) {
  if (!live(window)) return false;
  if (rect) *rect = window->needsPaint ? window->updateRect : RECT{};
  return window->needsPaint;
}

}  // namespace wce
