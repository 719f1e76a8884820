#pragma once

#include <cstdint>
#include <optional>

#include "platform/system/WinTypes.h"

namespace qel::host {

// Framework key codes made from virtual keys.
inline constexpr int32_t KeySoftLeft = 10000;
inline constexpr int32_t KeySoftRight = 10001;
inline constexpr int32_t KeySelect = 10002;
inline constexpr int32_t KeyApplication3 = 10003;
inline constexpr int32_t KeyApplication2 = 10004;
inline constexpr int32_t KeyF3 = -5;
inline constexpr int32_t KeyF4 = -6;

struct KeyRules {
  bool smartphone = false;
  // Devices whose OEM text holds "KOVS100".
  bool specialKeys = false;
};

// The framework code of a virtual key, or none when the key is dropped.
// Press, repeat and release map alike, so a released soft key releases what
// its press pressed.
std::optional<int32_t> translateVirtualKey(wce::WPARAM virtualKey, const KeyRules& rules);

}  // namespace qel::host
