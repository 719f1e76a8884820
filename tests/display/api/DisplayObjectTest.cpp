#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "DisplayFixture.h"
#include "display/api/WindowHook.h"
#include "display/detect/DriverChoice.h"
#include "display/device/SystemLibraries.h"
#include "display/drivers/RotationDriver.h"
#include "platform/gdi/DisplaySettings.h"
#include "platform/system/Clock.h"
#include "platform/system/ModuleTable.h"
#include "platform/testing/FolderOverrides.h"
#include "platform/testing/ManualClock.h"
#include "platform/window/VirtualKeys.h"
#include "tests/display/api/probe/DisplayProbe.h"
#include "tests/display/device/probe/DeviceProbe.h"
#include "tests/platform/devices/probe/CoreServicesProbe.h"
#include "tests/platform/gapi/probe/GapiProbe.h"
#include "tests/platform/system/probe/AygshellProbe.h"

namespace tdlx::testing {
namespace {

// Made before main, so exit() destroys it after every function-local static,
// as the game's static back-end table is destroyed.
std::unique_ptr<Display> displayHeldUntilExit;

TEST_F(DisplayTest, CreateWritesTheLogInOrder) {
  useDevice(vgaProfile());
  ASSERT_TRUE(open(0, 0));
  const std::vector<std::string> lines = logLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Tindralux (Version 1.0.6)");
  EXPECT_EQ(lines[1].rfind("Display::Create( hwnd = ", 0), 0u);
  EXPECT_NE(lines[1].find(", W:0, H:0, O:0, S:0 )"), std::string::npos);
  const std::vector<std::string> expected{
      "Swap effect forced to SWAP_DISCARD",
      "Initializing display...",
      "VideoDetect::DetectDrivers()",
      "OEM String: \"Nightvault Emulator\"",
      "GDIDriver: Found W:240, H:320, D:16",
      "VideoDetect: OS Version is 5.2",
      "DriverVGA: Native orientation is 0",
      "DriverVGA: Found W:240, H:320, D:16",
      "DriverVGA: Offset is 0",
      "CreateDriver( 00000008 )",
      "Initializing video driver...",
      "Driver initialized!",
      "Success, returning display params to caller (W:240, H:320, O:0, S:2)",
  };
  std::size_t at = 2;
  for (const std::string& line : expected) {
    while (at < lines.size() && lines[at] != line) ++at;
    EXPECT_LT(at, lines.size()) << "missing or out of order: " << line;
  }
  EXPECT_EQ(params_.swapEffect, 2);
}

TEST_F(DisplayTest, TheFirstEntryOfARunEmptiesTheLog) {
  {
    std::ofstream old(folder_ / kLogFileName);
    old << "from an earlier run\n";
  }
  useDevice(vgaProfile());
  ASSERT_TRUE(open(4));
  const std::vector<std::string> lines = logLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Tindralux (Version 1.0.6)");
  const std::size_t count = lines.size();
  logLine("later %d", 7);
  EXPECT_EQ(logLines().size(), count + 1);
  EXPECT_EQ(logLines().back(), "later 7");

  setLogFolder(folder_ / "missing");
  logLine("dropped");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
}

TEST_F(DisplayTest, WithoutAFolderTheLogGoesToTheUserFolderNotTheWorkingFolder) {
  const std::filesystem::path working = std::filesystem::current_path();
  std::filesystem::create_directories(folder_ / "user");
  std::filesystem::create_directories(folder_ / "work");
  wce::setUserFolder(folder_ / "user");
  std::filesystem::current_path(folder_ / "work");
  setLogFolder({});
  restartLog();
  logLine("where am I");
  std::filesystem::current_path(working);
  wce::setUserFolder({});
  EXPECT_TRUE(std::filesystem::exists(folder_ / "user" / kLogFileName));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "work" / kLogFileName));
}

TEST_F(DisplayTest, AnyOrientationKeepsTheDriversOwn) {
  useDevice(vgaProfile(320, 240, 1));
  ASSERT_TRUE(open(kAnyOrientation));
  EXPECT_EQ(dynamic_cast<RotationDriver*>(display_->impl().driver()), nullptr);
  EXPECT_EQ(params_.width, 240);
  EXPECT_EQ(params_.height, 320);
  EXPECT_EQ(params_.orientation, 1);
}

TEST_F(DisplayTest, AnOrientationNotOfferedFailsBeforeAnyDriverIsMade) {
  wce::DeviceProfile profile = vgaProfile(176, 220);
  useDevice(profile);
  EXPECT_FALSE(open(2));
  EXPECT_EQ(processVideoDetect(window_).orientations().size(), 1u);
  for (const std::string& line : logLines()) EXPECT_EQ(line.rfind("CreateDriver", 0), std::string::npos) << line;
  EXPECT_TRUE(logHas("Failed, destroying internal structures"));
  EXPECT_EQ(hookedWindowCount(), 0);
}

TEST_F(DisplayTest, CreateFailsForADeadWindow) {
  useDevice(vgaProfile());
  wce::DestroyWindow(window_);
  EXPECT_FALSE(open(0));
  EXPECT_TRUE(logHas("Failed, destroying internal structures"));
}

// A shell library whose full-screen call throws, as a system library may.
struct ShellFailure {};
bool throwStandard = true;
bool throwingFullScreen(wce::HWND, wce::DWORD) {
  if (throwStandard) throw std::runtime_error("shell failed");
  throw ShellFailure{};
}

// Whatever a system call throws fails the creation: logged, the window
// unhooked and the keys given back, and nothing thrown to the caller.
TEST_F(DisplayTest, CreateFailsInsteadOfThrowing) {
  for (const bool standard : {true, false}) {
    SCOPED_TRACE(standard ? "std::runtime_error" : "another type");
    throwStandard = standard;
    wce::registerModuleEntry(u"aygshell.dll", u"SHFullScreen", &throwingFullScreen);
    useDevice(vgaProfile());
    bool opened = true;
    EXPECT_NO_THROW(opened = open(0));
    wce::registerModuleEntry(u"aygshell.dll", u"SHFullScreen", &wce::SHFullScreen);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(logHas("Failed, destroying internal structures"));
    EXPECT_EQ(hookedWindowCount(), 0);
    EXPECT_EQ(wce::recordedAllKeysCalls(), (std::vector<bool>{true, false}));
  }
}

TEST_F(DisplayTest, TakesKeysAndTaskBarWhileOpen) {
  useDevice(vgaProfile());
  ASSERT_TRUE(open(0));
  EXPECT_EQ(wce::recordedAllKeysCalls(), std::vector<bool>{true});
  EXPECT_EQ(wce::recordedFullScreenCalls(), (std::vector<wce::ShellCall>{{window_, 0x2A}}));

  wce::SendMessageW(window_, wce::WM_ACTIVATE, wce::WA_INACTIVE, 0);
  EXPECT_EQ(wce::recordedFullScreenCalls().back(), (wce::ShellCall{window_, 0x15}));
  EXPECT_FALSE(display_->BeginScene());
  EXPECT_EQ(display_->GetBackBuffer(), nullptr);

  wce::SendMessageW(window_, wce::WM_ACTIVATE, wce::WA_ACTIVE, 0);
  EXPECT_EQ(wce::recordedFullScreenCalls().back(), (wce::ShellCall{window_, 0x2A}));
  EXPECT_TRUE(display_->BeginScene());
  EXPECT_TRUE(display_->EndScene(0));
  EXPECT_FALSE(display_->EndScene(0));

  display_.reset();
  EXPECT_EQ(wce::recordedAllKeysCalls(), (std::vector<bool>{true, false}));
  EXPECT_EQ(hookedWindowCount(), 0);
}

TEST_F(DisplayTest, GapiSuspendsWithTheWindow) {
  wce::GapiOptions dram;
  dram.dramBuffer = true;
  useDevice(gapiProfile(), dram);
  ASSERT_TRUE(open(0));
  wce::SendMessageW(window_, wce::WM_ACTIVATE, wce::WA_INACTIVE, 0);
  wce::SendMessageW(window_, wce::WM_ACTIVATE, wce::WA_ACTIVE, 0);
  presentPicture();
  EXPECT_EQ(wce::DeviceScreen::instance().viewPixel(17, 33), picturePixel(17, 33));
}

// The window sees pen points and arrow keys in the display's orientation.
TEST_F(DisplayTest, HookTurnsPenAndArrowsToTheDisplay) {
  useDevice(vgaProfile());
  ASSERT_TRUE(open(3));
  ASSERT_EQ(params_.width, 320);
  ASSERT_EQ(params_.height, 240);
  seenMessages().clear();
  wce::SendMessageW(window_, wce::WM_LBUTTONDOWN, wce::MK_LBUTTON, wce::MAKELPARAM(10, 20));
  wce::SendMessageW(window_, wce::WM_KEYDOWN, wce::VK_LEFT, 0);
  wce::SendMessageW(window_, wce::WM_KEYUP, wce::VK_RETURN, 0);
  ASSERT_EQ(seenMessages().size(), 3u);
  // d = 3: (x, y) -> (y, H - x - 1), the display pixel shown at that panel point.
  EXPECT_EQ(seenMessages()[0].lParam, wce::MAKELPARAM(20, 240 - 10 - 1));
  EXPECT_EQ(seenMessages()[1].wParam, wce::VK_DOWN);
  EXPECT_EQ(seenMessages()[2].wParam, wce::VK_RETURN);
}

TEST(HookTurns, PointsAndKeysByOrientationDifference) {
  struct Case {
    int d;
    int x, y;
    int turnedX, turnedY;
    wce::WPARAM left;
  };
  for (const Case& c : {Case{0, 5, 7, 5, 7, wce::VK_LEFT},
                        Case{1, 0, 0, 239, 0, wce::VK_UP},
                        Case{2, 0, 0, 239, 319, wce::VK_RIGHT},
                        Case{3, 0, 0, 0, 319, wce::VK_DOWN},
                        Case{1, 10, 20, 219, 10, wce::VK_UP}}) {
    EXPECT_EQ(turnPoint(wce::MAKELPARAM(c.x, c.y), c.d, 240, 320), wce::MAKELPARAM(c.turnedX, c.turnedY)) << c.d;
    EXPECT_EQ(turnArrowKey(wce::VK_LEFT, c.d), c.left) << c.d;
  }
  EXPECT_EQ(turnArrowKey(wce::VK_DOWN, 1), wce::VK_LEFT);
  EXPECT_EQ(turnArrowKey(wce::VK_A, 2), wce::VK_A);
}

TEST_F(DisplayTest, ASettingChangeReadsTheOrientationAgain) {
  useDevice(vgaProfile());
  ASSERT_TRUE(open(0));
  seenMessages().clear();
  wce::SendMessageW(window_, wce::WM_KEYDOWN, wce::VK_LEFT, 0);
  // Turning the system sends WM_SETTINGCHANGE: d is now (0 - 1) & 3 = 3.
  wce::DeviceMode mode;
  mode.fields = wce::DM_DISPLAYORIENTATION;
  mode.displayOrientation = wce::DMDO_90;
  ASSERT_EQ(wce::ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr), wce::DISP_CHANGE_SUCCESSFUL);
  wce::SendMessageW(window_, wce::WM_KEYDOWN, wce::VK_LEFT, 0);
  ASSERT_GE(seenMessages().size(), 2u);
  EXPECT_EQ(seenMessages().front().wParam, wce::VK_LEFT);
  EXPECT_EQ(seenMessages().back().wParam, wce::VK_DOWN);
}

TEST_F(DisplayTest, SixteenHookedWindowsAreTheLimit) {
  useDevice(vgaProfile());
  std::vector<std::unique_ptr<Display>> displays;
  for (int i = 0; i < kMaxHookedWindows; ++i) {
    wce::HWND window =
        wce::CreateWindowExW(0, u"Game", u"", wce::WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    DisplayParams params{0, 0, 0, 1};
    displays.push_back(Display::Create(window, params));
    ASSERT_NE(displays.back(), nullptr) << i;
  }
  EXPECT_FALSE(open(0));
  displays.clear();
  EXPECT_EQ(hookedWindowCount(), 0);
  EXPECT_TRUE(open(0));
}

// The GDI driver turns the system to the requested orientation and back.
TEST_F(DisplayTest, GdiDriverRestoresTheSystemOrientation) {
  wce::DeviceProfile profile = gdiOnlyProfile();
  profile.screenWidth = 320;
  profile.screenHeight = 240;
  profile.orientation = 1;
  useDevice(profile);
  ASSERT_TRUE(open(0));
  EXPECT_EQ(wce::displayOrientation(), 0);
  EXPECT_EQ(params_.width, 240);
  EXPECT_EQ(params_.height, 320);
  presentPicture();
  EXPECT_EQ(wce::DeviceScreen::instance().viewPixel(3, 4), picturePixel(3, 4));
  display_.reset();
  EXPECT_EQ(wce::displayOrientation(), 1);
}

// WM_DESTROY unhooks; the display's own unhook afterwards finds nothing to do.
TEST_F(DisplayTest, DestroyingTheWindowFirstUnhooksOnce) {
  useDevice(vgaProfile());
  ASSERT_TRUE(open(0));
  wce::HWND other = wce::CreateWindowExW(0, u"Game", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DisplayParams params{0, 0, 0, 1};
  std::unique_ptr<Display> second = Display::Create(other, params);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(hookedWindowCount(), 2);
  seenMessages().clear();
  wce::DestroyWindow(window_);
  EXPECT_EQ(seenMessages().size(), 1u);
  EXPECT_EQ(hookedWindowCount(), 1);
  display_.reset();
  EXPECT_EQ(hookedWindowCount(), 1);
  EXPECT_EQ(wce::GetWindowLongW(other, wce::GWL_WNDPROC) != reinterpret_cast<wce::LONG_PTR>(&recordMessages), true);
  second.reset();
  EXPECT_EQ(wce::GetWindowLongW(other, wce::GWL_WNDPROC), reinterpret_cast<wce::LONG_PTR>(&recordMessages));
}

// exit() with a display still held by a static tears it down after the
// libraries' and hooks' own statics are gone; that teardown must stay safe.
TEST_F(DisplayTest, ExitWithAStaticDisplayIsSafe) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        useDevice(vgaProfile());
        if (!open(0)) std::exit(2);
        displayHeldUntilExit = std::move(display_);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0),
      "");
}

// A DMA engine that never reports ready holds each scene up for a bounded time only.
TEST_F(DisplayTest, DmaWaitIsBounded) {
  wce::GapiOptions stuck;
  stuck.dmaBusyPolls = -1;
  useDevice(directProfile(true), stuck);
  wce::ManualClock clock;
  wce::ScopedClockSource scoped(clock);
  clock.setAutoAdvance(1);
  ASSERT_TRUE(open(0));
  presentPicture();
  const std::uint64_t before = clock.peekMillis();
  ASSERT_TRUE(display_->BeginScene());
  EXPECT_GE(clock.peekMillis() - before, 50u);
  EXPECT_LT(clock.peekMillis() - before, 200u);
  EXPECT_TRUE(display_->EndScene(0));
}

TEST_F(DisplayTest, DirectDriverSendsTheDirtyAreaByDma) {
  useDevice(directProfile(true));
  ASSERT_TRUE(open(0));
  EXPECT_TRUE(logHas("DriverDirect: GXDMA detected"));
  presentPicture();
  EXPECT_EQ(wce::dmaTransferCount(), 1);
}

}  // namespace
}  // namespace tdlx::testing

namespace tdlx::testing {
namespace {

// On the Motorola Q models a set turns one step further and a query one step back.
TEST_F(DisplayTest, MotorolaQOrientationFixIsAppliedOnce) {
  useDevice(*wce::devicePreset("MotoQ"));
  ASSERT_TRUE(open(kAnyOrientation));
  int fixLines = 0;
  for (const std::string& line : logLines()) {
    fixLines += line == "CoreDLL: Applying orientation fix for Motorola Q, Blackjack and friends";
  }
  EXPECT_EQ(fixLines, 1);
  EXPECT_TRUE(logHas("DriverVGA: Motorola Q detected, overriding orientation to ORIENTATION_ROTATE90CW"));
  EXPECT_EQ(params_.orientation, 3);
  EXPECT_EQ(wce::displayOrientation(), 0);
  EXPECT_EQ(readSystemOrientation(), 3);
  wce::DeviceMode mode;
  mode.fields = wce::DM_DISPLAYORIENTATION;
  mode.displayOrientation = wce::DMDO_0;
  EXPECT_EQ(CoreLibrary::instance().changeDisplaySettings(&mode, wce::CDS_RESET), wce::DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(wce::displayOrientation(), 1);
  EXPECT_EQ(readSystemOrientation(), 0);
}

}  // namespace
}  // namespace tdlx::testing
