#include "tests/platform/window/probe/MessageBoxProbe.h"

#include "platform/testing/CallLog.h"
#include "platform/window/MessageBoxRecorder.h"

namespace wce {
namespace {

// Installed before main, so that every message box of the process is seen.
CallLog<MessageBoxRecord>& messageBoxes = installCallLog(messageBoxRecorder());

}  // namespace

std::vector<MessageBoxRecord> recordedMessageBoxes() { return messageBoxes.calls(); }

void clearRecordedMessageBoxes() { messageBoxes.clear(); }

}  // namespace wce
