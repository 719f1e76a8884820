#include "tests/platform/window/probe/MessageBoxProbe.h"

#include "platform/window/MessageBoxLog.h"

namespace wce {

std::vector<MessageBoxRecord> recordedMessageBoxes() {
    MessageBoxLog& log = messageBoxLog();
    std::lock_guard lock(log.guard);
    return log.records;
}

void clearRecordedMessageBoxes() {
    MessageBoxLog& log = messageBoxLog();
    std::lock_guard lock(log.guard);
    log.records.clear();
}

}  // namespace wce
