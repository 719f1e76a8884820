#include "platform/registry/KeyHandles.h"

#include "platform/registry/Registry.h"

namespace wce {
namespace {

constexpr std::uint32_t kFirstRoot = 0x80000000u;

const char* rootFolderName(HKEY handle) {
  if (handle == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (handle == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  return nullptr;
}

}  // namespace

KeyHandles& KeyHandles::instance() {
  static KeyHandles handles;
  return handles;
}

HKEY KeyHandles::add(std::shared_ptr<KeyFolder> key) {
  std::lock_guard guard(lock_);
  do {
    lastId_ = lastId_ + 1 >= kFirstRoot ? 1 : lastId_ + 1;
  } while (keys_.count(lastId_) != 0);
  keys_.emplace(lastId_, std::move(key));
  return HKEY{lastId_};
}

std::shared_ptr<KeyFolder> KeyHandles::find(HKEY handle, LONG& status) {
  if (const char* root = rootFolderName(handle)) {
    std::shared_ptr<KeyFolder> key;
    status = KeyFolder::openRoot(registryRoot() / root, key);
    return key;
  }
  std::lock_guard guard(lock_);
  const auto found = keys_.find(static_cast<std::uint32_t>(handle));
  if (found == keys_.end()) {
    status = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  status = ERROR_SUCCESS;
  return found->second;
}

bool KeyHandles::remove(HKEY handle) {
  std::lock_guard guard(lock_);
  return keys_.erase(static_cast<std::uint32_t>(handle)) != 0;
}

}  // namespace wce
