#pragma once

#include "platform/registry/RegistryTypes.h"

namespace wce {

// Owns an open key handle and closes it when destroyed.
class ScopedKey {
public:
  ScopedKey() = default;
  explicit ScopedKey(HKEY key) : key_(key) {}
  ScopedKey(ScopedKey&& other) noexcept;
  ScopedKey& operator=(ScopedKey&& other) noexcept;
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey();

  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != HKEY_NULL; }
  // Closes the key held, if any, and answers where a new handle goes.
  HKEY* receive();
  void close();

private:
  HKEY key_ = HKEY_NULL;
};

}  // namespace wce
