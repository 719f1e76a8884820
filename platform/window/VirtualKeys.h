#pragma once
// Virtual-key codes of the keys the handheld has.

#include "platform/system/WinTypes.h"

namespace wce {

inline constexpr WPARAM VK_BACK = 8;
inline constexpr WPARAM VK_RETURN = 13;
inline constexpr WPARAM VK_ESCAPE = 27;
inline constexpr WPARAM VK_LEFT = 37;
inline constexpr WPARAM VK_UP = 38;
inline constexpr WPARAM VK_RIGHT = 39;
inline constexpr WPARAM VK_DOWN = 40;
inline constexpr WPARAM VK_0 = 48;  // '0'..'9' are 48..57
inline constexpr WPARAM VK_A = 65;  // 'A'..'Z' are 65..90
inline constexpr WPARAM VK_LWIN = 91;
inline constexpr WPARAM VK_RWIN = 92;
inline constexpr WPARAM VK_F1 = 112;  // left soft key
inline constexpr WPARAM VK_F2 = 113;  // right soft key
inline constexpr WPARAM VK_F3 = 114;
inline constexpr WPARAM VK_F4 = 115;
inline constexpr WPARAM VK_F8 = 119;  // the star key of a smartphone
inline constexpr WPARAM VK_F9 = 120;  // the pound key of a smartphone
inline constexpr WPARAM VK_F13 = 124;
inline constexpr WPARAM VK_F24 = 135;
inline constexpr WPARAM VK_APP1 = 193;  // application keys 1..4 are 193..196
inline constexpr WPARAM VK_APP2 = 194;
inline constexpr WPARAM VK_APP3 = 195;
inline constexpr WPARAM VK_APP4 = 196;

}  // namespace wce
