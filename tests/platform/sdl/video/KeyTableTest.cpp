#include <gtest/gtest.h>

#include "platform/sdl/video/KeyTable.h"

namespace wce::sdl {
namespace {

TEST(KeyTableTest, DesktopKeysMapToTheHandheldsVirtualKeys) {
  struct Case {
    SDL_Keycode key;
    WPARAM pocketPC;
    WPARAM smartphone;  // 0: no key
  };
  const Case cases[] = {
      {SDLK_LEFT, 37, 37},      {SDLK_UP, 38, 38},          {SDLK_RIGHT, 39, 39},  {SDLK_DOWN, 40, 40},
      {SDLK_RETURN, 13, 13},    {SDLK_KP_ENTER, 13, 13},    {SDLK_ESCAPE, 27, 27}, {SDLK_BACKSPACE, 27, 27},
      {SDLK_F1, 112, 112},      {SDLK_F2, 113, 113},        {SDLK_F3, 114, 114},   {SDLK_F4, 115, 115},
      {SDLK_0, 48, 48},         {SDLK_9, 57, 57},           {SDLK_KP_0, 48, 48},   {SDLK_KP_1, 49, 49},
      {SDLK_KP_9, 57, 57},      {SDLK_a, 65, 65},           {SDLK_z, 90, 90},      {SDLK_F5, 193, 193},
      {SDLK_F8, 196, 196},      {SDLK_KP_MULTIPLY, 0, 119}, {SDLK_HASH, 0, 120},   {SDLK_KP_HASH, 0, 120},
      {SDLK_KP_DIVIDE, 0, 120}, {SDLK_SPACE, 0, 0},         {SDLK_F9, 0, 0},       {SDLK_LSHIFT, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(virtualKeyFor(c.key, false).value_or(0), c.pocketPC) << SDL_GetKeyName(c.key);
    EXPECT_EQ(virtualKeyFor(c.key, true).value_or(0), c.smartphone) << SDL_GetKeyName(c.key);
  }
}

}  // namespace
}  // namespace wce::sdl
