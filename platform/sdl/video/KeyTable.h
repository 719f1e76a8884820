#pragma once
// Desktop keys as the handheld's virtual keys.

#include <SDL.h>
#include <optional>

#include "platform/system/WinTypes.h"

namespace wce::sdl {

// Arrows 37-40; Return and keypad Enter 13; Escape and Backspace 27; F1-F4
// 112-115 (F1 and F2 are the soft keys); digits and keypad digits 48-57;
// letters 65-90; F5-F8 the application keys 193-196. On a smartphone the
// keypad '*' is 119 and '#' (or keypad '/') 120. Other keys have none.
std::optional<WPARAM> virtualKeyFor(SDL_Keycode key, bool smartphone);

// F11 and Alt+Return (press and release) switch fullscreen; the game sees neither.
bool togglesFullscreen(const SDL_KeyboardEvent& event);

}  // namespace wce::sdl
