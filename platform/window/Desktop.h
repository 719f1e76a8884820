#pragma once
// The emulated desktop: registered window classes, live windows in creation
// order and the foreground window. The list may be read from any thread;
// windows are created, changed and destroyed on the window thread.

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/Window.h"

namespace wce {

class Desktop {
public:
  static Desktop& instance();

  bool registerClass(const WindowClassInfo& info);
  bool unregisterClass(std::u16string_view name);
  std::optional<WindowClassInfo> findClass(std::u16string_view name) const;

  HWND add(std::unique_ptr<Window> window);
  // Forgets the window and frees it; false when it is not live.
  bool remove(HWND window);
  bool isLive(HWND window) const;
  std::vector<HWND> windows() const;
  // Null class or title match any.
  HWND find(const char16_t* className, const char16_t* title) const;
  // The most recently created live top-level window, or null.
  HWND newestTopLevel() const;

  HWND foreground() const;
  void setForeground(HWND window);

private:
  static std::u16string folded(std::u16string_view name);

  mutable std::mutex guard_;
  std::map<std::u16string, WindowClassInfo> classes_;
  std::vector<std::unique_ptr<Window>> windows_;
  HWND foreground_ = nullptr;
};

}  // namespace wce
