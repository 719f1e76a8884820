#include "platform/sdl/video/GameControllers.h"

namespace wce::sdl {

bool GameControllers::handle(const SDL_Event& event) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    if (SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which)) {
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      if (open_.count(id) != 0) {
        SDL_GameControllerClose(controller);
      } else {
        open_[id].reset(controller);
      }
    }
    return true;
  }
  if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
    open_.erase(event.cdevice.which);
    return true;
  }
  return false;
}

}  // namespace wce::sdl
