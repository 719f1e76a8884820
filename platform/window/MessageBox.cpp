#include "platform/window/MessageBox.h"

#include "platform/window/Messages.h"

#include <cstdio>
#include <mutex>

namespace wce {
namespace {

std::mutex guard;
std::vector<MessageBoxRecord> records;
std::function<void(const MessageBoxRecord&)> presenter;

void appendCodePoint(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendCodePoint(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out.push_back('?');
        } else {
            appendCodePoint(out, unit);
        }
    }
    return out;
}

int MessageBoxW(HWND, const char16_t* text, const char16_t* caption, UINT type) {
    MessageBoxRecord record{text ? text : u"", caption ? caption : u"Error", type};
    std::function<void(const MessageBoxRecord&)> show;
    {
        std::lock_guard lock(guard);
        records.push_back(record);
        show = presenter;
    }
    std::fprintf(stderr, "%s: %s\n", toUtf8(record.caption).c_str(), toUtf8(record.text).c_str());
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
