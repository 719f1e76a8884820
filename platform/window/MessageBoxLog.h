#pragma once
// The message boxes shown so far and the driver that presents them.

#include <functional>
#include <mutex>

#include "platform/system/CallLog.h"
#include "platform/window/MessageBox.h"

namespace wce {

struct MessageBoxLog {
  CallLog<MessageBoxRecord> records;
  std::mutex presenterGuard;
  std::function<void(const MessageBoxRecord&)> presenter;
};

MessageBoxLog& messageBoxLog();

}  // namespace wce
