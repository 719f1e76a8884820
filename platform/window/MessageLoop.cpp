#include "platform/window/MessageLoop.h"

#include <algorithm>

#include "platform/driver/DeviceDriver.h"
#include "platform/system/Clock.h"
#include "platform/threads/Wait.h"
#include "platform/window/Desktop.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "platform/window/TimerTable.h"

namespace wce {
namespace {

// How long the window thread may sleep: up to the next timer, at most limitMs.
std::uint32_t sleepLimit(std::uint32_t limitMs) {
  const auto timer = TimerTable::instance().untilNext(MonotonicMillis());
  if (!timer) return limitMs;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(*timer, limitMs));
}

std::optional<MSG> paintMessage(const MessageFilter& filter) {
  for (HWND window : Desktop::instance().windows()) {
    MSG candidate;
    candidate.hwnd = window;
    candidate.message = WM_PAINT;
    if (window->needsPaint && window->visible && filter.accepts(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<MSG> nextMessage(const MessageFilter& filter, bool remove) {
  MessageQueue& queue = MessageQueue::instance();
  if (auto posted = queue.takePosted(filter, remove)) return posted;
  if (auto quit = queue.takeQuit(remove)) return quit;
  if (auto paint = paintMessage(filter)) return paint;
  return TimerTable::instance().takeDue(filter, MonotonicMillis(), remove);
}

}  // namespace

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Desktop::instance().isLive(window) || !window->procedure) return 0;
  return window->procedure(window, message, wParam, lParam);
}

bool PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !Desktop::instance().isLive(window)) return false;
  MSG posted;
  posted.hwnd = window;
  posted.message = message;
  posted.wParam = wParam;
  posted.lParam = lParam;
  posted.time = GetTickCount();
  MessageQueue::instance().post(posted);
  deviceDriver().wake();
  return true;
}

void PostQuitMessage(int exitCode) {
  MessageQueue::instance().postQuit(exitCode);
  deviceDriver().wake();
}

bool PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags) {
  if (!message) return false;
  deviceDriver().pollEvents();
  auto next = nextMessage(MessageFilter{window, first, last}, (removeFlags & PM_REMOVE) != 0);
  if (!next) return false;
  *message = *next;
  return true;
}

int GetMessageW(MSG* message, HWND window, UINT first, UINT last) {
  if (!message || (window && !Desktop::instance().isLive(window))) return -1;
  const MessageFilter filter{window, first, last};
  for (;;) {
    deviceDriver().pollEvents();
    if (auto next = nextMessage(filter, true)) {
      *message = *next;
      return next->message == WM_QUIT ? 0 : 1;
    }
    deviceDriver().waitEvents(std::max<std::uint32_t>(sleepLimit(INFINITE), 1));
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const void*, bool, DWORD milliseconds, DWORD) {
  if (count != 0) return WAIT_FAILED;
  const MessageFilter any;
  if (nextMessage(any, false)) return WAIT_OBJECT_0;
  if (milliseconds == 0) return WAIT_TIMEOUT;
  deviceDriver().waitEvents(std::max<std::uint32_t>(sleepLimit(milliseconds), 1));
  return nextMessage(any, false) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

bool TranslateMessage(const MSG*) { return false; }

LRESULT DispatchMessageW(const MSG* message) {
  if (!message) return 0;
  if (message->message == WM_TIMER && message->lParam) {
    auto procedure = reinterpret_cast<TIMERPROC>(message->lParam);
    procedure(message->hwnd, WM_TIMER, message->wParam, GetTickCount());
    return 0;
  }
  return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT intervalMs, TIMERPROC procedure) {
  if (!Desktop::instance().isLive(window)) return 0;
  TimerTable::instance().set(window, id, intervalMs, procedure, MonotonicMillis());
  return id != 0 ? id : 1;
}

bool KillTimer(HWND window, UINT_PTR id) { return TimerTable::instance().kill(window, id); }

}  // namespace wce
