#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "platform/registry/KeyFolder.h"

namespace wce {

// The process's table of open key handles.
class KeyHandles {
public:
  static KeyHandles& instance();

  HKEY add(std::shared_ptr<KeyFolder> key);
  // The key behind a handle; a root is opened afresh. Null for an unknown
  // handle, with the reason in `status`.
  std::shared_ptr<KeyFolder> find(HKEY handle, LONG& status);
  bool remove(HKEY handle);

private:
  std::mutex lock_;
  std::map<std::uint32_t, std::shared_ptr<KeyFolder>> keys_;
  std::uint32_t lastId_ = 0;
};

}  // namespace wce
