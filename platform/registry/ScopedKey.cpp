#include "platform/registry/ScopedKey.h"

#include <utility>

#include "platform/registry/Registry.h"

namespace wce {

ScopedKey::ScopedKey(ScopedKey&& other) noexcept : key_(std::exchange(other.key_, HKEY_NULL)) {}

ScopedKey& ScopedKey::operator=(ScopedKey&& other) noexcept {
  if (this != &other) {
    close();
    key_ = std::exchange(other.key_, HKEY_NULL);
  }
  return *this;
}

ScopedKey::~ScopedKey() { close(); }

HKEY* ScopedKey::receive() {
  close();
  return &key_;
}

void ScopedKey::close() {
  if (key_ != HKEY_NULL) RegCloseKey(std::exchange(key_, HKEY_NULL));
}

}  // namespace wce
