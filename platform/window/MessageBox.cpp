#include "platform/window/MessageBox.h"

#include <cstdio>

#include "platform/files/Text.h"
#include "platform/window/MessageBoxLog.h"
#include "platform/window/Messages.h"

namespace wce {

MessageBoxLog& messageBoxLog() {
  static MessageBoxLog instance;
  return instance;
}

int MessageBoxW(HWND, const char16_t* text, const char16_t* caption, UINT type) {
  MessageBoxRecord record{text ? text : u"", caption ? caption : u"Error", type};
  MessageBoxLog& log = messageBoxLog();
  log.records.add(record);
  std::function<void(const MessageBoxRecord&)> show;
  {
    std::lock_guard lock(log.presenterGuard);
    show = log.presenter;
  }
  std::fprintf(stderr, "%s: %s\n", toUtf8Lossy(record.caption).c_str(), toUtf8Lossy(record.text).c_str());
  if (show) show(record);
  return static_cast<int>(IDOK);
}

void setMessageBoxPresenter(std::function<void(const MessageBoxRecord&)> show) {
  MessageBoxLog& log = messageBoxLog();
  std::lock_guard lock(log.presenterGuard);
  log.presenter = std::move(show);
}

}  // namespace wce
