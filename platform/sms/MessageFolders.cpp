#include "platform/sms/MessageFolders.h"

#include <mutex>

namespace wce {

namespace {

std::mutex guard;
std::optional<std::filesystem::path> userFolderPath;

std::optional<std::filesystem::path> below(const char* name) {
    std::lock_guard lock(guard);
    if (!userFolderPath) return std::nullopt;
    return *userFolderPath / "sms" / name;
}

}  // namespace

void setMessageUserFolder(const std::filesystem::path& userFolder) {
    std::lock_guard lock(guard);
    userFolderPath = userFolder;
}

void clearMessageUserFolder() {
    std::lock_guard lock(guard);
    userFolderPath.reset();
}

std::optional<std::filesystem::path> outboxFolder() { return below("outbox"); }
std::optional<std::filesystem::path> inboxFolder() { return below("inbox"); }

}  // namespace wce
