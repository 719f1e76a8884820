#pragma once
// What a test sees of the message boxes shown.

#include <vector>

#include "platform/window/MessageBox.h"

namespace wce {

std::vector<MessageBoxRecord> recordedMessageBoxes();
void clearRecordedMessageBoxes();

}  // namespace wce
