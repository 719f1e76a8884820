#pragma once
// The message boxes shown so far.

#include "platform/system/CallLog.h"
#include "platform/window/MessageBox.h"

namespace wce {

struct MessageBoxLog {
  CallLog<MessageBoxRecord> records;
};

MessageBoxLog& messageBoxLog();

}  // namespace wce
