#pragma once
// Where the emulated handheld keeps text messages: "sms/outbox" and
// "sms/inbox" below the user folder. Until a user folder is set the device
// has no message storage, and the messaging libraries refuse to open.

#include <filesystem>
#include <optional>

namespace wce {

void setMessageUserFolder(const std::filesystem::path& userFolder);

// None while no user folder is set.
std::optional<std::filesystem::path> outboxFolder();
std::optional<std::filesystem::path> inboxFolder();

}  // namespace wce
