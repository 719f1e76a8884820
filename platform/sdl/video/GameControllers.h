#pragma once
// The game controllers that are plugged in, opened as SDL reports them
// (those present at start arrive as added too) and closed as they go.
// SDL's mapping database names their buttons; SDL_GAMECONTROLLERCONFIG (or
// SDL_GAMECONTROLLERCONFIG_FILE) adds mappings.

#include <SDL.h>
#include <map>
#include <memory>

namespace wce::sdl {

class GameControllers {
public:
  // Answers true when the event added or removed a controller.
  bool handle(const SDL_Event& event);
  std::size_t count() const { return open_.size(); }

private:
  struct Closer {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
  };
  std::map<SDL_JoystickID, std::unique_ptr<SDL_GameController, Closer>> open_;
};

}  // namespace wce::sdl
