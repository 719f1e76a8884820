#pragma once
// The user folder the message folders are kept below; none until it is set.

#include <filesystem>
#include <mutex>
#include <optional>

namespace wce {

struct MessageFolderState {
  std::mutex guard;
  std::optional<std::filesystem::path> userFolder;
};

MessageFolderState& messageFolderState();

}  // namespace wce
