#pragma once
// What a test sees of the message boxes shown.

#include "platform/window/MessageBox.h"

#include <vector>

namespace wce {

std::vector<MessageBoxRecord> recordedMessageBoxes();
void clearRecordedMessageBoxes();

}  // namespace wce
