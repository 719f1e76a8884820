// A real X window under Xvfb: what the window shows, read back with
// ImageMagick's import, is the device screen.

#include <SDL.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

bool installed(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

// An X server of our own, stopped with the object.
class XvfbServer {
public:
  XvfbServer() {
    int numbers[2];
    if (pipe(numbers) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(numbers[0]);
      const std::string fd = std::to_string(numbers[1]);
      execlp("Xvfb",
             "Xvfb",
             "-displayfd",
             fd.c_str(),
             "-screen",
             "0",
             "800x700x24",
             "-nolisten",
             "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(numbers[1]);
    // Xvfb may write the number and its newline apart; closing the pipe
    // before the newline arrives makes the server quit.
    std::string number;
    char c = 0;
    while (pid_ > 0 && read(numbers[0], &c, 1) == 1 && c != '\n') number += c;
    close(numbers[0]);
    if (!number.empty() && c == '\n') display_ = ":" + number;
  }
  ~XvfbServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::optional<std::string>& display() const { return display_; }

private:
  pid_t pid_ = -1;
  std::optional<std::string> display_;
};

std::string capture(const std::string& display, unsigned long window) {
  const std::string command =
      "DISPLAY=" + display + " import -window " + std::to_string(window) + " -depth 8 rgb:- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string bytes;
  char chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) bytes.append(chunk, got);
  pclose(pipe);
  return bytes;
}

// The window's pixels once the server has mapped it at width x height
// (presented again at each try), as RGB bytes; empty when it never was.
std::string captureWhenMapped(const std::string& display, SdlVideo& video, int width, int height) {
  const std::size_t expected = static_cast<std::size_t>(width) * height * 3;
  std::string shot;
  for (int attempt = 0; attempt < 100 && shot.size() != expected; ++attempt) {
    SDL_PumpEvents();
    video.present();
    shot = capture(display, video.x11Window());
    if (shot.size() != expected) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return shot.size() == expected ? shot : std::string();
}

// The captured pixel at (x, y) of a width-pixel-wide shot, as RGB565.
std::uint16_t shownAt(const std::string& shot, int width, int x, int y) {
  const auto* rgb = reinterpret_cast<const unsigned char*>(shot.data()) + (y * width + x) * 3;
  return static_cast<std::uint16_t>((rgb[0] >> 3) << 11 | (rgb[1] >> 2) << 5 | (rgb[2] >> 3));
}

// Shows a pattern on the server's display and answers what differs, or "".
// The environment the video start changed for X11 is as it was afterwards.
std::string showAndCompare(const std::string& display) {
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("DISPLAY", display.c_str(), 1);
  setenv("NIGHTVAULT_ZOOM", "2", 1);
  unsetenv("XCOMPOSEFILE");
  std::string error;
  auto video = SdlVideo::open(error);
  if (!video) return "SDL did not open: " + error;
  if (std::getenv("XCOMPOSEFILE")) return "XCOMPOSEFILE left set";
  if (video->x11Window() == 0) return "no X11 window";
  DeviceScreen& screen = DeviceScreen::instance();
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width(); ++x) {
      const int red = x * 31 / 239;
      const int green = y * 63 / 319;
      const int blue = ((x / 16 + y / 16) & 1) ? 31 : 0;
      screen.setViewPixel(x, y, static_cast<std::uint16_t>(red << 11 | green << 5 | blue));
    }
  }
  // The server maps the window in its own time.
  const std::string shot = captureWhenMapped(display, *video, 480, 640);
  if (shot.empty()) return "no screenshot of the mapped window";
  int mismatches = 0;
  for (int y = 0; y < 640; ++y)
    for (int x = 0; x < 480; ++x)
      if (shownAt(shot, 480, x, y) != screen.viewPixel(x / 2, y / 2)) ++mismatches;
  return mismatches == 0 ? "" : std::to_string(mismatches) + " pixels differ";
}

// Resizes the window to 800 x 700 on the server: the panel at scale 2,
// centred at (160, 30) on black. Answers what differs, or "".
std::string showResized(const std::string& display) {
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("DISPLAY", display.c_str(), 1);
  setenv("NIGHTVAULT_ZOOM", "1", 1);
  std::string error;
  auto video = SdlVideo::open(error);
  if (!video) return "SDL did not open: " + error;
  DeviceScreen& screen = DeviceScreen::instance();
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) screen.setViewPixel(x, y, 0xFFFF);
  video->present();
  // Without a window manager the window keeps its place: it is moved to fill the screen.
  SDL_Window* window = SDL_GetWindowFromID(video->windowId());
  SDL_SetWindowPosition(window, 0, 0);
  SDL_SetWindowSize(window, 800, 700);
  const std::string shot = captureWhenMapped(display, *video, 800, 700);
  if (shot.empty()) return "no screenshot of the resized window";
  int mismatches = 0;
  for (int y = 0; y < 700; ++y) {
    for (int x = 0; x < 800; ++x) {
      const bool onPanel = x >= 160 && x < 160 + 480 && y >= 30 && y < 30 + 640;
      if (shownAt(shot, 800, x, y) != (onPanel ? 0xFFFF : 0x0000)) ++mismatches;
    }
  }
  return mismatches == 0 ? "" : std::to_string(mismatches) + " pixels differ";
}

// Waits in the SDL driver on the server's window: a post from another
// thread ends the wait (a lost wake-up would leave it to its minute).
// Answers what failed, or "".
std::string waitAndWake(const std::string& display) {
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("DISPLAY", display.c_str(), 1);
  std::string error;
  auto driver = SdlDriver::open(error);
  if (!driver || !driver->video()) return "SDL did not open: " + error + (driver ? driver->videoError() : "");
  DeviceDriverScope scope(*driver);
  WindowClassInfo info;
  info.procedure = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
  };
  info.className = u"Device";
  RegisterClassW(&info);
  HWND window = CreateWindowExW(0, u"Device", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  std::thread poster([window] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostMessageW(window, WM_USER + 5, 0, 0);
  });
  // The server's own events may end a wait early; only the post ends them all.
  const auto start = std::chrono::steady_clock::now();
  bool arrived = false;
  while (!arrived && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
    MsgWaitForMultipleObjects(0, nullptr, false, 60'000, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      arrived |= message.message == WM_USER + 5;
      DispatchMessageW(&message);
    }
  }
  poster.join();
  const bool inTime = std::chrono::steady_clock::now() - start < std::chrono::seconds(30);
  const std::string outcome = arrived && inTime ? "" : "the post did not end the wait";
  DestroyWindow(window);
  UnregisterClassW(u"Device", nullptr);
  return outcome;
}

// Runs client in a child process, so that the X and D-Bus libraries'
// process-wide state stays out of this one; answers what it answered.
std::string inChild(std::string (*client)(const std::string&), const std::string& display) {
  int result[2];
  if (pipe(result) != 0) return "no pipe";
  const pid_t child = fork();
  if (child < 0) return "no child";
  if (child == 0) {
    close(result[0]);
    const std::string outcome = client(display);
    (void)!write(result[1], outcome.data(), outcome.size());
    _exit(0);
  }
  close(result[1]);
  std::string outcome;
  char chunk[256];
  for (ssize_t got; (got = read(result[0], chunk, sizeof chunk)) > 0;)
    outcome.append(chunk, static_cast<std::size_t>(got));
  close(result[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child failed: " + outcome;
  return outcome;
}

TEST(XvfbTest, TheWindowShowsTheDeviceScreen) {
  if (!installed("Xvfb") || !installed("import")) GTEST_SKIP() << "Xvfb or ImageMagick is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.display()) << "Xvfb did not start";
  ScopedDeviceProfile profile(DeviceProfile{});
  EXPECT_EQ(inChild(&showAndCompare, *server.display()), "");
}

TEST(XvfbTest, AResizedWindowScalesThePanelCentredOnBlack) {
  if (!installed("Xvfb") || !installed("import")) GTEST_SKIP() << "Xvfb or ImageMagick is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.display()) << "Xvfb did not start";
  ScopedDeviceProfile profile(DeviceProfile{});
  EXPECT_EQ(inChild(&showResized, *server.display()), "");
}

TEST(XvfbTest, APostFromAnotherThreadEndsAWaitOnTheWindow) {
  if (!installed("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.display()) << "Xvfb did not start";
  ScopedDeviceProfile profile(DeviceProfile{});
  EXPECT_EQ(inChild(&waitAndWake, *server.display()), "");
}

}  // namespace
}  // namespace wce::sdl
