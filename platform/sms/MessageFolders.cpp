#include "platform/sms/MessageFolders.h"

#include "platform/sms/MessageFolderState.h"

namespace wce {

MessageFolderState& messageFolderState() {
  static MessageFolderState instance;
  return instance;
}

namespace {

std::optional<std::filesystem::path> below(const char* name) {
  MessageFolderState& state = messageFolderState();
  std::lock_guard lock(state.guard);
  if (!state.userFolder) return std::nullopt;
  return *state.userFolder / "sms" / name;
}

}  // namespace

void setMessageUserFolder(const std::filesystem::path& userFolder) {
  MessageFolderState& state = messageFolderState();
  std::lock_guard lock(state.guard);
  state.userFolder = userFolder;
}

std::optional<std::filesystem::path> outboxFolder() { return below("outbox"); }
std::optional<std::filesystem::path> inboxFolder() { return below("inbox"); }

}  // namespace wce
