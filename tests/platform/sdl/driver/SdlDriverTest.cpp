#include <SDL.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <thread>
#include <vector>

#include "platform/driver/DeviceDriver.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/sdl/driver/SdlDriver.h"
#include "platform/sdl/video/SdlVideo.h"
#include "platform/system/ActiveDevice.h"
#include "platform/threads/Wait.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace wce::sdl {
namespace {

LRESULT quietProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// Under SDL's dummy video driver: one device window and the SDL driver,
// installed, with its window at zoom 2.
class SdlDriverTest : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("NIGHTVAULT_ZOOM", "2", 1);
    std::string error;
    driver_ = SdlDriver::open(error);
    ASSERT_NE(driver_, nullptr) << error;
    video_ = driver_->video();
    ASSERT_NE(video_, nullptr) << driver_->videoError();
    scope_.emplace(*driver_);
    WindowClassInfo info;
    info.procedure = &quietProcedure;
    info.className = u"Device";
    ASSERT_NE(RegisterClassW(&info), 0);
    window_ = CreateWindowExW(0, u"Device", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    drain();
  }

  void TearDown() override {
    scope_.reset();
    driver_.reset();
    DestroyWindow(window_);
    drain();
    UnregisterClassW(u"Device", nullptr);
    unsetenv("NIGHTVAULT_ZOOM");
  }

  std::vector<MSG> drain() {
    std::vector<MSG> messages;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      messages.push_back(message);
      DispatchMessageW(&message);
    }
    return messages;
  }

  static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

  static SDL_Event keyEvent(Uint32 type, SDL_Keycode key, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    return event;
  }

  static SDL_Event buttonEvent(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
  }

  static SDL_Event windowEvent(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
  }

  ScopedDeviceProfile profile_{DeviceProfile{}};
  std::unique_ptr<SdlDriver> driver_;
  SdlVideo* video_ = nullptr;
  std::optional<DeviceDriverScope> scope_;
  HWND window_ = nullptr;
};

TEST_F(SdlDriverTest, KeysArriveAsKeyMessagesWithTheRepeatBit) {
  push(keyEvent(SDL_KEYDOWN, SDLK_LEFT));
  push(keyEvent(SDL_KEYDOWN, SDLK_LEFT, true));
  push(keyEvent(SDL_KEYUP, SDLK_LEFT));
  push(keyEvent(SDL_KEYDOWN, SDLK_SPACE));
  push(keyEvent(SDL_KEYDOWN, SDLK_F5));
  const auto messages = drain();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].message, WM_KEYDOWN);
  EXPECT_EQ(messages[0].hwnd, window_);
  EXPECT_EQ(messages[0].wParam, 37u);
  EXPECT_EQ(messages[0].lParam & KF_REPEAT_BIT, 0);
  EXPECT_EQ(messages[1].message, WM_KEYDOWN);
  EXPECT_NE(messages[1].lParam & KF_REPEAT_BIT, 0);
  EXPECT_EQ(messages[2].message, WM_KEYUP);
  EXPECT_EQ(messages[2].wParam, 37u);
  EXPECT_EQ(messages[3].wParam, 193u);
}

// Escape and Backspace reach the game as the script player's "key Esc": the
// right soft key's press and release.
TEST_F(SdlDriverTest, EscapeAndBackspaceArePressAndReleaseOfTheRightSoftKey) {
  for (const SDL_Keycode key : {SDLK_ESCAPE, SDLK_BACKSPACE}) {
    push(keyEvent(SDL_KEYDOWN, key));
    push(keyEvent(SDL_KEYUP, key));
    const auto messages = drain();
    ASSERT_EQ(messages.size(), 2u) << key;
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[0].wParam, 27u);
    EXPECT_EQ(messages[0].lParam, 1);
    EXPECT_EQ(messages[1].message, WM_KEYUP);
    EXPECT_EQ(messages[1].wParam, 27u);
    EXPECT_EQ(messages[1].lParam, 1 | KF_REPEAT_BIT | (LPARAM{1} << 31));
  }
}

TEST_F(SdlDriverTest, SmartphoneStarAndPound) {
  ScopedDeviceProfile smartphone(*devicePreset("SmartPhone"));
  push(keyEvent(SDL_KEYDOWN, SDLK_KP_MULTIPLY));
  push(keyEvent(SDL_KEYDOWN, SDLK_KP_HASH));
  const auto messages = drain();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].wParam, 119u);
  EXPECT_EQ(messages[1].wParam, 120u);
}

TEST_F(SdlDriverTest, TheLeftButtonIsThePenInScreenCoordinates) {
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 21, 41));
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 1000;
  motion.motion.y = -5;
  motion.motion.state = SDL_BUTTON_LMASK;
  push(motion);
  auto messages = drain();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(messages[0].wParam, MK_LBUTTON);
  EXPECT_EQ(messages[0].lParam, MAKELPARAM(10, 20));
  EXPECT_EQ(messages[1].message, WM_MOUSEMOVE);
  EXPECT_EQ(messages[1].wParam, MK_LBUTTON);
  EXPECT_EQ(messages[1].lParam, MAKELPARAM(239, 0)) << "a drag off the panel is held to its edge";
  presentFrame();
  push(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 479, 639));
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10));
  motion.motion.state = 0;
  motion.motion.x = 100;
  motion.motion.y = 100;
  push(motion);
  messages = drain();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].message, WM_LBUTTONUP);
  EXPECT_EQ(messages[0].lParam, MAKELPARAM(239, 319));
  EXPECT_EQ(messages[1].wParam, 0u);
  EXPECT_EQ(messages[1].lParam, MAKELPARAM(50, 50));
}

// A tap whose press and release come before a frame ends (a touch screen,
// a synthetic click) reaches the game as a press, then after the frame a release.
TEST_F(SdlDriverTest, AReleaseInThePressesFrameWaitsForTheFramesEnd) {
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 200));
  push(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 100, 200));
  auto messages = drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].message, WM_LBUTTONDOWN);
  presentFrame();
  messages = drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].message, WM_LBUTTONUP);
  EXPECT_EQ(messages[0].lParam, MAKELPARAM(50, 100));
  presentFrame();
  EXPECT_TRUE(drain().empty()) << "one release only";

  // A second tap before the frame: the first release goes first, in order.
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10));
  push(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 10));
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 20, 20));
  messages = drain();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(messages[1].message, WM_LBUTTONUP);
  EXPECT_EQ(messages[2].message, WM_LBUTTONDOWN);
  EXPECT_EQ(messages[2].lParam, MAKELPARAM(10, 10));
}

TEST_F(SdlDriverTest, PenCoordinatesFollowTheDisplayOrientation) {
  setDisplayOrientation(1);
  presentFrame();
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 639, 479));
  const auto messages = drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].lParam, MAKELPARAM(319, 239));
}

TEST_F(SdlDriverTest, FocusCloseAndExposure) {
  push(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  auto messages = drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].message, WM_ACTIVATE);
  EXPECT_EQ(messages[0].wParam, WA_INACTIVE);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  push(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  push(windowEvent(SDL_WINDOWEVENT_EXPOSED));
  messages = drain();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].wParam, WA_ACTIVE);
  EXPECT_EQ(GetForegroundWindow(), window_);
  EXPECT_EQ(messages[1].message, WM_PAINT);
  push(windowEvent(SDL_WINDOWEVENT_CLOSE));
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_CLOSE);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

void paintPattern(int seed) {
  DeviceScreen& screen = DeviceScreen::instance();
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width(); ++x) {
      screen.setViewPixel(x, y, static_cast<std::uint16_t>(x * 173 + y * 31 + seed));
    }
  }
}

// The count of window pixels that differ from the screen scaled by 2.
int differences(const SdlVideo& video) {
  const DeviceScreen& screen = DeviceScreen::instance();
  int width = 0;
  int height = 0;
  const std::string pixels = video.readBack(width, height);
  if (width != 480 || height != 640) return -1;
  int differing = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint16_t shown;
      std::memcpy(&shown, pixels.data() + (y * width + x) * 2, 2);
      if (shown != screen.viewPixel(x / 2, y / 2)) ++differing;
    }
  }
  return differing;
}

TEST_F(SdlDriverTest, AFrameEndShowsTheScreenScaledAndNothingElseDoes) {
  paintPattern(0);
  presentFrame();
  EXPECT_EQ(differences(*video_), 0);
  paintPattern(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  drain();
  EXPECT_EQ(differences(*video_), 480 * 640) << "shown without a frame end";
  presentFrame();
  EXPECT_EQ(differences(*video_), 0);
  DeviceScreen::instance().setViewPixel(17, 200, 0xFFFF);
  DeviceScreen::instance().setViewPixel(3, 201, 0x0001);
  presentFrame();
  EXPECT_EQ(differences(*video_), 0) << "a change in two rows";
}

// A lost wake-up would leave these waits to their full minute.
TEST_F(SdlDriverTest, WaitsEndWhenAnEventComesOrAnotherThreadPosts) {
  std::thread presser([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    push(keyEvent(SDL_KEYDOWN, SDLK_UP));
  });
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 60'000, QS_ALLINPUT), WAIT_OBJECT_0);
  presser.join();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_KEYDOWN);
  EXPECT_EQ(message.wParam, 38u);

  std::thread poster([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    PostMessageW(window_, WM_USER + 3, 0, 0);
  });
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_USER + 3);
  poster.join();
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 1, QS_ALLINPUT), WAIT_TIMEOUT);
}

TEST_F(SdlDriverTest, TurningTheScreenResizesTheWindow) {
  setDisplayOrientation(1);
  presentFrame();
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(SDL_GetWindowFromID(video_->windowId()), &width, &height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
}

// In a window larger than the panel it is scaled by the largest whole
// factor, centred on black; the pointer maps back, and the border reaches nothing.
TEST_F(SdlDriverTest, AResizedWindowScalesThePanelCentredOnBlack) {
  presentFrame();
  SDL_SetWindowSize(SDL_GetWindowFromID(video_->windowId()), 1024, 768);
  paintPattern(5);
  presentFrame();
  drain();
  int width = 0;
  int height = 0;
  const std::string pixels = video_->readBack(width, height);
  ASSERT_EQ(width, 1024);
  ASSERT_EQ(height, 768);
  const auto shown = [&](int x, int y) {
    std::uint16_t pixel;
    std::memcpy(&pixel, pixels.data() + (y * width + x) * 2, 2);
    return pixel;
  };
  const DeviceScreen& screen = DeviceScreen::instance();
  int differing = 0;
  for (int y = 0; y < 640; ++y)
    for (int x = 0; x < 480; ++x) differing += shown(272 + x, 64 + y) != screen.viewPixel(x / 2, y / 2);
  EXPECT_EQ(differing, 0) << "scale 2 at (272, 64)";
  EXPECT_EQ(shown(0, 0), 0);
  EXPECT_EQ(shown(271, 400), 0);
  EXPECT_EQ(shown(1023, 767), 0);
  EXPECT_EQ(shown(600, 63), 0);

  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 271, 300));
  push(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 271, 300));
  EXPECT_TRUE(drain().empty()) << "a click on the border";
  push(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 272 + 479, 64 + 639));
  const auto messages = drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].lParam, MAKELPARAM(239, 319));
}

TEST_F(SdlDriverTest, F11AndAltReturnToggleFullscreenWithoutReachingTheGame) {
  EXPECT_FALSE(video_->fullscreen());
  push(keyEvent(SDL_KEYDOWN, SDLK_F11));
  push(keyEvent(SDL_KEYUP, SDLK_F11));
  EXPECT_TRUE(drain().empty());
  EXPECT_TRUE(video_->fullscreen());
  SDL_Event altReturn = keyEvent(SDL_KEYDOWN, SDLK_RETURN);
  altReturn.key.keysym.mod = KMOD_LALT;
  push(altReturn);
  altReturn = keyEvent(SDL_KEYUP, SDLK_RETURN);
  altReturn.key.keysym.mod = KMOD_LALT;
  push(altReturn);
  EXPECT_TRUE(drain().empty());
  EXPECT_FALSE(video_->fullscreen());
  push(keyEvent(SDL_KEYDOWN, SDLK_RETURN));
  const auto messages = drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].wParam, 13u) << "Return alone is the action key";
}

// A game controller plugged in while the game runs: SDL's virtual joystick.
// Its buttons and axes are set through a handle opened once the driver has
// opened the controller (a handle opened before sends no changes). The
// dummy window never has the focus, so SDL is told to pass events without it.
class VirtualController {
public:
  VirtualController() {
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    index_ = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  }
  ~VirtualController() { unplug(); }
  VirtualController(const VirtualController&) = delete;
  VirtualController& operator=(const VirtualController&) = delete;
  bool attached() const { return index_ >= 0; }
  void button(SDL_GameControllerButton button, bool down) {
    ASSERT_EQ(SDL_JoystickSetVirtualButton(handle(), button, down), 0) << SDL_GetError();
  }
  void axis(SDL_GameControllerAxis axis, Sint16 value) {
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(handle(), axis, value), 0) << SDL_GetError();
  }
  void unplug() {
    if (index_ < 0) return;
    if (joystick_) SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(index_);
    index_ = -1;
  }

private:
  SDL_Joystick* handle() {
    if (!joystick_) joystick_ = SDL_JoystickOpen(index_);
    return joystick_;
  }

  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

struct KeyMessage {
  UINT message;
  WPARAM virtualKey;
  bool operator==(const KeyMessage&) const = default;
};

std::vector<KeyMessage> keyMessages(const std::vector<MSG>& messages) {
  std::vector<KeyMessage> keys;
  for (const MSG& m : messages)
    if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) keys.push_back({m.message, m.wParam});
  return keys;
}

TEST_F(SdlDriverTest, ControllerButtonsAreTheHardwareKeys) {
  VirtualController controller;
  ASSERT_TRUE(controller.attached()) << SDL_GetError();
  drain();
  const std::pair<SDL_GameControllerButton, WPARAM> buttons[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 37},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, 38},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 39},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 40},
      {SDL_CONTROLLER_BUTTON_A, 13},       // action
      {SDL_CONTROLLER_BUTTON_B, 27},       // back: right soft key
      {SDL_CONTROLLER_BUTTON_START, 112},  // left soft key
      {SDL_CONTROLLER_BUTTON_BACK, 27},    // Select: right soft key
      {SDL_CONTROLLER_BUTTON_X, '0'},
      {SDL_CONTROLLER_BUTTON_Y, '1'},
  };
  for (const auto& [button, virtualKey] : buttons) {
    controller.button(button, true);
    const auto pressed = drain();
    controller.button(button, false);
    const auto released = drain();
    EXPECT_EQ(keyMessages(pressed), (std::vector<KeyMessage>{{WM_KEYDOWN, virtualKey}})) << button;
    EXPECT_EQ(keyMessages(released), (std::vector<KeyMessage>{{WM_KEYUP, virtualKey}})) << button;
  }
  controller.button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  EXPECT_TRUE(keyMessages(drain()).empty()) << "a button without a key";
}

TEST_F(SdlDriverTest, TheStickHoldsAnArrowOutsideItsDeadZone) {
  VirtualController controller;
  ASSERT_TRUE(controller.attached()) << SDL_GetError();
  drain();
  controller.axis(SDL_CONTROLLER_AXIS_LEFTX, 10000);
  EXPECT_TRUE(keyMessages(drain()).empty()) << "inside the dead zone";
  controller.axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  EXPECT_EQ(keyMessages(drain()), (std::vector<KeyMessage>{{WM_KEYDOWN, 39}}));
  controller.axis(SDL_CONTROLLER_AXIS_LEFTX, 32000);
  EXPECT_TRUE(keyMessages(drain()).empty()) << "held, as a held key";
  controller.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  EXPECT_EQ(keyMessages(drain()), (std::vector<KeyMessage>{{WM_KEYUP, 39}, {WM_KEYDOWN, 37}})) << "turned";
  controller.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  EXPECT_EQ(keyMessages(drain()), (std::vector<KeyMessage>{{WM_KEYUP, 37}}));
  controller.axis(SDL_CONTROLLER_AXIS_LEFTY, -20000);
  EXPECT_EQ(keyMessages(drain()), (std::vector<KeyMessage>{{WM_KEYDOWN, 38}}));
  controller.unplug();
  EXPECT_EQ(keyMessages(drain()), (std::vector<KeyMessage>{{WM_KEYUP, 38}})) << "unplugged while held";
}

TEST(ZoomTest, EnvironmentOrTheLargestFactorThatFits) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_Rect usable{};
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
  unsetenv("NIGHTVAULT_ZOOM");
  EXPECT_EQ(SdlVideo::chooseZoom(240, 320), std::max(1, std::min(usable.w / 240, usable.h / 320)));
  EXPECT_EQ(SdlVideo::chooseZoom(100000, 100000), 1);
  setenv("NIGHTVAULT_ZOOM", "3", 1);
  EXPECT_EQ(SdlVideo::chooseZoom(240, 320), std::min(3, std::max(1, std::min(usable.w / 240, usable.h / 320))))
      << "a zoom asked for is held to the desktop";
  EXPECT_EQ(SdlVideo::chooseZoom(100, 100), 3);
  for (const char* bad : {"0", "17", "2x", ""}) {
    setenv("NIGHTVAULT_ZOOM", bad, 1);
    EXPECT_EQ(SdlVideo::chooseZoom(100000, 100000), 1) << bad;
  }
  unsetenv("NIGHTVAULT_ZOOM");
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

TEST(FullscreenStartTest, OnlyOneStartsFullscreen) {
  unsetenv("NIGHTVAULT_FULLSCREEN");
  EXPECT_FALSE(SdlVideo::startsFullscreen());
  for (const char* value : {"0", "", "yes", "true", "11"}) {
    setenv("NIGHTVAULT_FULLSCREEN", value, 1);
    EXPECT_FALSE(SdlVideo::startsFullscreen()) << value;
  }
  setenv("NIGHTVAULT_FULLSCREEN", "1", 1);
  EXPECT_TRUE(SdlVideo::startsFullscreen());
  std::string error;
  auto video = SdlVideo::open(error);
  ASSERT_NE(video, nullptr) << error;
  EXPECT_TRUE(video->fullscreen());
  video.reset();
  unsetenv("NIGHTVAULT_FULLSCREEN");
  SDL_Quit();
}

}  // namespace
}  // namespace wce::sdl
