#include "platform/window/TimerTable.h"

#include <algorithm>

#include "platform/window/Messages.h"

namespace wce {

TimerTable& TimerTable::instance() {
  static TimerTable table;
  return table;
}

void TimerTable::set(HWND window, UINT_PTR id, UINT intervalMs, TIMERPROC procedure, std::uint64_t now) {
  std::lock_guard lock(guard_);
  const std::uint64_t interval = std::max<UINT>(intervalMs, 1);
  for (Timer& timer : timers_) {
    if (timer.window == window && timer.id == id) {
      timer = Timer{window, id, interval, now + interval, procedure};
      return;
    }
  }
  timers_.push_back(Timer{window, id, interval, now + interval, procedure});
}

bool TimerTable::kill(HWND window, UINT_PTR id) {
  std::lock_guard lock(guard_);
  return std::erase_if(timers_, [&](const Timer& timer) { return timer.window == window && timer.id == id; }) > 0;
}

void TimerTable::killAll(HWND window) {
  std::lock_guard lock(guard_);
  std::erase_if(timers_, [window](const Timer& timer) { return timer.window == window; });
}

std::optional<MSG> TimerTable::takeDue(const MessageFilter& filter, std::uint64_t now, bool remove) {
  std::lock_guard lock(guard_);
  Timer* earliest = nullptr;
  for (Timer& timer : timers_) {
    MSG candidate;
    candidate.hwnd = timer.window;
    candidate.message = WM_TIMER;
    if (timer.due > now || !filter.accepts(candidate)) continue;
    if (!earliest || timer.due < earliest->due) earliest = &timer;
  }
  if (!earliest) return std::nullopt;
  MSG message;
  message.hwnd = earliest->window;
  message.message = WM_TIMER;
  message.wParam = earliest->id;
  message.lParam = reinterpret_cast<LPARAM>(earliest->procedure);
  message.time = static_cast<DWORD>(now);
  if (remove) earliest->due = now + earliest->interval;
  return message;
}

std::optional<std::uint64_t> TimerTable::untilNext(std::uint64_t now) const {
  std::lock_guard lock(guard_);
  std::optional<std::uint64_t> soonest;
  for (const Timer& timer : timers_) {
    const std::uint64_t wait = timer.due > now ? timer.due - now : 0;
    if (!soonest || wait < *soonest) soonest = wait;
  }
  return soonest;
}

}  // namespace wce
