#include "platform/shell/Shell.h"

#include "platform/system/ModuleTable.h"

#include <cstdlib>
#include <mutex>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>

extern char** environ;

namespace wce {

namespace {

struct Records {
    std::mutex guard;
    std::vector<ShellRequest> requests;
    std::vector<std::u16string> calls;
};

Records& records() {
    static Records shared;
    return shared;
}

thread_local DWORD lastError = ERROR_SUCCESS;

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t unit = text[i];
        if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + 32);
        if (unit != prefix[i]) return false;
    }
    return true;
}

bool hasAssociation(std::u16string_view file) {
    return startsWith(file, u"http:") || startsWith(file, u"https:") || startsWith(file, u"mailto:");
}

bool desktopOpenerAllowed() {
    const char* setting = std::getenv("NIGHTVAULT_OPEN_URLS");
    return setting && std::string_view(setting) == "1";
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

void openOnDesktop(std::u16string_view file) {
    std::string address = toUtf8(file);
    char program[] = "xdg-open";
    char* arguments[] = {program, address.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
}

std::int32_t phoneMakeCall(PhoneMakeCallInfo* info) {
    if (!info || !info->destination) return -1;
    std::lock_guard lock(records().guard);
    records().calls.emplace_back(info->destination);
    return 0;
}

}  // namespace

bool ShellExecuteEx(ShellExecuteInfo* info) {
    if (!info || !info->file) {
        lastError = ERROR_FILE_NOT_FOUND;
        return false;
    }
    std::u16string file(info->file);
    {
        std::lock_guard lock(records().guard);
        records().requests.push_back({file, info->mask, info->show});
    }
    if (!hasAssociation(file)) {
        lastError = ERROR_NO_ASSOCIATION;
        return false;
    }
    if (desktopOpenerAllowed()) openOnDesktop(file);
    lastError = ERROR_SUCCESS;
    return true;
}

DWORD GetLastError() { return lastError; }

void registerPhoneEntries() { registerModuleEntry(u"phone.dll", u"PhoneMakeCall", &phoneMakeCall); }

std::vector<ShellRequest> recordedShellRequests() {
    std::lock_guard lock(records().guard);
    return records().requests;
}

std::vector<std::u16string> recordedPhoneCalls() {
    std::lock_guard lock(records().guard);
    return records().calls;
}

void clearRecordedShellRequests() {
    std::lock_guard lock(records().guard);
    records().requests.clear();
    records().calls.clear();
}

}  // namespace wce
