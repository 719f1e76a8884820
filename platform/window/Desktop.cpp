#include "platform/window/Desktop.h"

#include <algorithm>

#include "platform/system/AsciiCase.h"

namespace wce {

Desktop& Desktop::instance() {
  static Desktop desktop;
  return desktop;
}

std::u16string Desktop::folded(std::u16string_view name) { return asciiLowered(name); }

bool Desktop::registerClass(const WindowClassInfo& info) {
  if (!info.className || !*info.className || !info.procedure) return false;
  std::lock_guard lock(guard_);
  return classes_.emplace(folded(info.className), info).second;
}

bool Desktop::unregisterClass(std::u16string_view name) {
  std::lock_guard lock(guard_);
  const auto key = folded(name);
  const bool inUse = std::any_of(
      windows_.begin(), windows_.end(), [&](const auto& window) { return folded(window->className) == key; });
  return !inUse && classes_.erase(key) == 1;
}

std::optional<WindowClassInfo> Desktop::findClass(std::u16string_view name) const {
  std::lock_guard lock(guard_);
  const auto found = classes_.find(folded(name));
  if (found == classes_.end()) return std::nullopt;
  return found->second;
}

HWND Desktop::add(std::unique_ptr<Window> window) {
  std::lock_guard lock(guard_);
  windows_.push_back(std::move(window));
  return windows_.back().get();
}

bool Desktop::remove(HWND window) {
  std::unique_ptr<Window> removed;
  {
    std::lock_guard lock(guard_);
    const auto found =
        std::find_if(windows_.begin(), windows_.end(), [window](const auto& live) { return live.get() == window; });
    if (found == windows_.end()) return false;
    removed = std::move(*found);
    windows_.erase(found);
    if (foreground_ == window) foreground_ = nullptr;
  }
  return true;
}

bool Desktop::isLive(HWND window) const {
  if (!window) return false;
  std::lock_guard lock(guard_);
  return std::any_of(windows_.begin(), windows_.end(), [window](const auto& live) { return live.get() == window; });
}

std::vector<HWND> Desktop::windows() const {
  std::lock_guard lock(guard_);
  std::vector<HWND> result;
  for (const auto& window : windows_) result.push_back(window.get());
  return result;
}

HWND Desktop::find(const char16_t* className, const char16_t* title) const {
  std::lock_guard lock(guard_);
  const std::u16string wantedClass = className ? folded(className) : std::u16string();
  for (const auto& window : windows_) {
    if (className && folded(window->className) != wantedClass) continue;
    if (title && window->title != title) continue;
    return window.get();
  }
  return nullptr;
}

HWND Desktop::newestTopLevel() const {
  std::lock_guard lock(guard_);
  for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) {
    if (!(*window)->parent) return window->get();
  }
  return nullptr;
}

HWND Desktop::foreground() const {
  std::lock_guard lock(guard_);
  return foreground_;
}

void Desktop::setForeground(HWND window) {
  std::lock_guard lock(guard_);
  foreground_ = window;
}

}  // namespace wce
