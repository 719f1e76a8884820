#include "platform/window/MessageBox.h"

#include <cstdio>

#include "platform/driver/DeviceDriver.h"
#include "platform/files/Text.h"
#include "platform/window/MessageBoxRecorder.h"
#include "platform/window/Messages.h"

namespace wce {

RecorderSlot<MessageBoxRecord>& messageBoxRecorder() {
  static RecorderSlot<MessageBoxRecord> slot{nullptr};
  return slot;
}

int MessageBoxW(HWND, const char16_t* text, const char16_t* caption, UINT type) {
  MessageBoxRecord record{text ? text : u"", caption ? caption : u"Error", type};
  recordCall(messageBoxRecorder(), record);
  std::fprintf(stderr, "%s: %s\n", toUtf8Lossy(record.caption).c_str(), toUtf8Lossy(record.text).c_str());
  deviceDriver().showMessageBox(record);
  return static_cast<int>(IDOK);
}

}  // namespace wce
