#pragma once
// Window timers. A due timer yields one WM_TIMER when the caller asks for it,
// however many periods have passed (coalesced), and then waits one period again.

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/window/MessageQueue.h"

namespace wce {

class TimerTable {
public:
  static TimerTable& instance();

  // Starts or restarts the timer (window, id).
  void set(HWND window, UINT_PTR id, UINT intervalMs, TIMERPROC procedure, std::uint64_t now);
  bool kill(HWND window, UINT_PTR id);
  void killAll(HWND window);
  // The earliest due timer that passes as a WM_TIMER message; removing it
  // starts its next period.
  std::optional<MSG> takeDue(const MessageFilter& filter, std::uint64_t now, bool remove);
  // Milliseconds until the next timer is due, if any.
  std::optional<std::uint64_t> untilNext(std::uint64_t now) const;

private:
  struct Timer {
    HWND window;
    UINT_PTR id;
    std::uint64_t interval;
    std::uint64_t due;
    TIMERPROC procedure;
  };

  mutable std::mutex guard_;
  std::vector<Timer> timers_;
};

}  // namespace wce
