#include "platform/sdl/video/KeyTable.h"

#include "platform/window/VirtualKeys.h"

namespace wce::sdl {

std::optional<WPARAM> virtualKeyFor(SDL_Keycode key, bool smartphone) {
  if (key >= SDLK_0 && key <= SDLK_9) return VK_0 + static_cast<WPARAM>(key - SDLK_0);
  if (key >= SDLK_a && key <= SDLK_z) return VK_A + static_cast<WPARAM>(key - SDLK_a);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_0 + 1 + static_cast<WPARAM>(key - SDLK_KP_1);
  switch (key) {
    case SDLK_KP_0: return VK_0;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE:
    case SDLK_BACKSPACE: return VK_ESCAPE;
    case SDLK_F1: return VK_F1;
    case SDLK_F2: return VK_F2;
    case SDLK_F3: return VK_F3;
    case SDLK_F4: return VK_F4;
    case SDLK_F5:
    case SDLK_F6:
    case SDLK_F7:
    case SDLK_F8: return VK_APP1 + static_cast<WPARAM>(key - SDLK_F5);
    case SDLK_KP_MULTIPLY:
      if (smartphone) return VK_F8;
      return std::nullopt;
    case SDLK_HASH:
    case SDLK_KP_HASH:
    case SDLK_KP_DIVIDE:
      if (smartphone) return VK_F9;
      return std::nullopt;
    default: return std::nullopt;
  }
}

bool togglesFullscreen(const SDL_KeyboardEvent& event) {
  if (event.keysym.sym == SDLK_F11) return true;
  const bool enter = event.keysym.sym == SDLK_RETURN || event.keysym.sym == SDLK_KP_ENTER;
  return enter && (event.keysym.mod & KMOD_ALT) != 0;
}

}  // namespace wce::sdl
