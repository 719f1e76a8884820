#include "platform/window/MessageBox.h"

#include <cstdio>

#include "platform/driver/DeviceDriver.h"
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
  messageBoxLog().records.add(record);
  std::fprintf(stderr, "%s: %s\n", toUtf8Lossy(record.caption).c_str(), toUtf8Lossy(record.text).c_str());
  deviceDriver().showMessageBox(record);
  return static_cast<int>(IDOK);
}

}  // namespace wce
