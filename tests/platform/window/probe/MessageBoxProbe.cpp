#include "tests/platform/window/probe/MessageBoxProbe.h"

#include "platform/window/MessageBoxLog.h"

namespace wce {

std::vector<MessageBoxRecord> recordedMessageBoxes() { return messageBoxLog().records.calls(); }

void clearRecordedMessageBoxes() { messageBoxLog().records.clear(); }

}  // namespace wce
