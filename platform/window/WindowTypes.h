#pragma once
// Types of the window and message calls.

#include <cstdint>

#include "platform/system/WinTypes.h"

namespace wce {

struct Instance;
struct Icon;
struct Cursor;
struct GdiObject;

using HINSTANCE = Instance*;
using HICON = Icon*;
using HCURSOR = Cursor*;
using HBRUSH = GdiObject*;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using ATOM = std::uint16_t;

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using TIMERPROC = void (*)(HWND window, UINT message, UINT_PTR id, DWORD tick);

struct POINT {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const POINT&) const = default;
};

struct RECT {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const RECT&) const = default;
};

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct WindowClassInfo {
  UINT style = 0;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  const char16_t* className = nullptr;
};

inline constexpr std::uint16_t LOWORD(std::uintptr_t value) { return static_cast<std::uint16_t>(value & 0xFFFF); }
inline constexpr std::uint16_t HIWORD(std::uintptr_t value) {
  return static_cast<std::uint16_t>((value >> 16) & 0xFFFF);
}
// x and y packed as the low and high 16 bits of a message's long parameter.
inline constexpr LPARAM MAKELPARAM(int low, int high) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                             (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}

}  // namespace wce
