#pragma once
// Where a test sees the message boxes shown (CallRecorder.h).

#include "platform/system/CallRecorder.h"
#include "platform/window/MessageBox.h"

namespace wce {

RecorderSlot<MessageBoxRecord>& messageBoxRecorder();

}  // namespace wce
