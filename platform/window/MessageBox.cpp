#include "platform/window/MessageBox.h"

#include "platform/files/Text.h"
#include "platform/window/Messages.h"

#include <cstdio>
#include <mutex>

namespace wce {
namespace {

std::mutex guard;
std::vector<MessageBoxRecord> records;
std::function<void(const MessageBoxRecord&)> presenter;

}  // namespace


int MessageBoxW(HWND, const char16_t* text, const char16_t* caption, UINT type) {
    MessageBoxRecord record{text ? text : u"", caption ? caption : u"Error", type};
    std::function<void(const MessageBoxRecord&)> show;
    {
        std::lock_guard lock(guard);
        records.push_back(record);
        show = presenter;
    }
    std::fprintf(stderr, "%s: %s\n", toUtf8Lossy(record.caption).c_str(), toUtf8Lossy(record.text).c_str());
    if (show) show(record);
    return static_cast<int>(IDOK);
}

std::vector<MessageBoxRecord> recordedMessageBoxes() {
    std::lock_guard lock(guard);
    return records;
}

void clearRecordedMessageBoxes() {
    std::lock_guard lock(guard);
    records.clear();
}

void setMessageBoxPresenter(std::function<void(const MessageBoxRecord&)> show) {
    std::lock_guard lock(guard);
    presenter = std::move(show);
}

}  // namespace wce
