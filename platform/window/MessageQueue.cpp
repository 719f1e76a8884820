#include "platform/window/MessageQueue.h"

#include <algorithm>

#include "platform/window/Messages.h"

namespace wce {

bool MessageFilter::accepts(const MSG& message) const {
  if (window && message.hwnd != window) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

MessageQueue& MessageQueue::instance() {
  static MessageQueue queue;
  return queue;
}

void MessageQueue::post(const MSG& message) {
  std::lock_guard lock(guard_);
  messages_.push_back(message);
}

void MessageQueue::postQuit(int exitCode) {
  std::lock_guard lock(guard_);
  quitCode_ = exitCode;
}

std::optional<MSG> MessageQueue::takePosted(const MessageFilter& filter, bool remove) {
  std::lock_guard lock(guard_);
  const auto found =
      std::find_if(messages_.begin(), messages_.end(), [&](const MSG& message) { return filter.accepts(message); });
  if (found == messages_.end()) return std::nullopt;
  MSG message = *found;
  if (remove) messages_.erase(found);
  return message;
}

std::optional<MSG> MessageQueue::takeQuit(bool remove) {
  std::lock_guard lock(guard_);
  if (!quitCode_ || !messages_.empty()) return std::nullopt;
  MSG message;
  message.message = WM_QUIT;
  message.wParam = static_cast<WPARAM>(*quitCode_);
  if (remove) quitCode_.reset();
  return message;
}

void MessageQueue::discardFor(HWND window) {
  std::lock_guard lock(guard_);
  std::erase_if(messages_, [window](const MSG& message) { return message.hwnd == window; });
}

}  // namespace wce
