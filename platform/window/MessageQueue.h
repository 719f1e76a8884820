#pragma once
// The posted messages and the quit request of the window thread. Any thread
// may post; the window thread takes them (waking it is the poster's part).

#include <deque>
#include <mutex>
#include <optional>

#include "platform/window/WindowTypes.h"

namespace wce {

// A message passes when it is for the filter window (null: any) and its number
// lies in [first, last] (both 0: any).
struct MessageFilter {
  HWND window = nullptr;
  UINT first = 0;
  UINT last = 0;
  bool accepts(const MSG& message) const;
};

class MessageQueue {
public:
  static MessageQueue& instance();

  void post(const MSG& message);
  void postQuit(int exitCode);
  // The first posted message that passes, removed when remove is set.
  std::optional<MSG> takePosted(const MessageFilter& filter, bool remove);
  // The quit request as a WM_QUIT message, once no posted message is left.
  std::optional<MSG> takeQuit(bool remove);
  void discardFor(HWND window);

private:
  std::mutex guard_;
  std::deque<MSG> messages_;
  std::optional<int> quitCode_;
};

}  // namespace wce
