#pragma once
// The message boxes shown so far and the driver that presents them.

#include "platform/window/MessageBox.h"

#include <functional>
#include <mutex>
#include <vector>

namespace wce {

struct MessageBoxLog {
    std::mutex guard;
    std::vector<MessageBoxRecord> records;
    std::function<void(const MessageBoxRecord&)> presenter;
};

MessageBoxLog& messageBoxLog();

}  // namespace wce
