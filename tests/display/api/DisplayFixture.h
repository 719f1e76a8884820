#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "display/api/Display.h"
#include "display/api/DisplayImpl.h"
#include "display/device/Log.h"
#include "platform/devices/CoreServices.h"
#include "platform/devices/DeviceModules.h"
#include "platform/gapi/GapiOptions.h"
#include "platform/gapi/GxDma.h"
#include "platform/gdi/Gdi.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Aygshell.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"
#include "tests/display/LogFolderEnvironment.h"
#include "tests/display/api/probe/DisplayProbe.h"
#include "tests/platform/devices/probe/CoreServicesProbe.h"
#include "tests/platform/gapi/probe/GapiProbe.h"
#include "tests/platform/system/probe/AygshellProbe.h"
#include "tests/support/TempFolder.h"

namespace tdlx::testing {

struct SeenMessage {
  wce::UINT message;
  wce::WPARAM wParam;
  wce::LPARAM lParam;
};

inline std::vector<SeenMessage>& seenMessages() {
  static std::vector<SeenMessage> seen;
  return seen;
}

inline wce::LRESULT recordMessages(wce::HWND window, wce::UINT message, wce::WPARAM wParam, wce::LPARAM lParam) {
  seenMessages().push_back({message, wParam, lParam});
  return wce::DefWindowProcW(window, message, wParam, lParam);
}

// A test picture: every pixel differs from its neighbours.
inline std::uint16_t picturePixel(int x, int y) {
  return static_cast<std::uint16_t>((x * 31 + y * 2047 + (x ^ y) * 5) & 0xFFFF);
}

using Picture = std::function<std::uint16_t(int x, int y)>;

// The plain GDI way: a DIB section of the screen's size BitBlt to the window.
inline void presentThroughGdi(wce::HWND window, int width, int height, const Picture& picture) {
  wce::HDC dc = wce::GetDC(window);
  wce::HDC memory = wce::CreateCompatibleDC(dc);
  wce::BitmapInfo info = wce::BitmapInfo::topDownRgb565(width, height);
  void* bits = nullptr;
  wce::HBITMAP bitmap = wce::CreateDIBSection(memory, &info, wce::DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  wce::HGDIOBJ previous = wce::SelectObject(memory, bitmap);
  const int stride = (width * 2 + 3) & ~3;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(bits) + y * stride);
    for (int x = 0; x < width; ++x) row[x] = picture(x, y);
  }
  EXPECT_TRUE(wce::BitBlt(dc, 0, 0, width, height, memory, 0, 0, wce::SRCCOPY));
  wce::SelectObject(memory, previous);
  wce::DeleteObject(bitmap);
  wce::DeleteDC(memory);
  wce::ReleaseDC(window, dc);
}

// One emulated device with a full-screen window and the log in a temporary folder.
class DisplayTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const bool registered = [] {
      wce::registerDeviceModules();
      return true;
    }();
    (void)registered;
    setLogFolder(folder_.path());
    wce::WindowClassInfo info;
    info.procedure = &recordMessages;
    info.className = u"Game";
    ASSERT_NE(wce::RegisterClassW(&info), 0);
  }

  void TearDown() override {
    display_.reset();
    for (wce::HWND window = wce::newestTopLevelWindow(); window; window = wce::newestTopLevelWindow()) {
      wce::DestroyWindow(window);
    }
    wce::MSG message;
    while (wce::PeekMessageW(&message, nullptr, 0, 0, wce::PM_REMOVE)) {}
    EXPECT_TRUE(wce::UnregisterClassW(u"Game", nullptr));
    device_.reset();
    forgetProcessState();
    setLogFolder(LogFolderEnvironment::folder());
  }

  // Switches to the device and opens a full-screen window on it.
  void useDevice(const wce::DeviceProfile& profile, const wce::GapiOptions& gapi = {}) {
    device_.reset();
    forgetProcessState();
    device_ = std::make_unique<Device>(profile, gapi);
    wce::DeviceScreen::instance().fill(0);
    wce::clearRecordedShellCalls();
    wce::clearRecordedCoreCalls();
    wce::resetDmaTransfers();
    const wce::ScreenSize size = wce::screenSize();
    window_ = wce::CreateWindowExW(
        0, u"Game", u"", wce::WS_VISIBLE, 0, 0, size.width, size.height, nullptr, nullptr, nullptr, nullptr);
    seenMessages().clear();
  }

  bool open(std::int32_t orientation, std::int32_t swapEffect = kSwapDiscard) {
    params_ = DisplayParams{0, 0, orientation, swapEffect};
    display_ = Display::Create(window_, params_);
    return display_ != nullptr;
  }

  // Draws the test picture into the back buffer and presents it.
  void presentPicture() {
    ASSERT_TRUE(display_->BeginScene());
    FrameBufferInfo* back = display_->GetBackBuffer();
    ASSERT_NE(back, nullptr);
    for (int y = 0; y < back->height; ++y) {
      for (int x = 0; x < back->width; ++x) rowOf(*back, y)[x] = picturePixel(x, y);
    }
    const Rect update{0, 0, back->width, back->height};
    display_->SetDirtyRect(&update);
    ASSERT_TRUE(display_->EndScene(0));
  }

  static std::vector<std::uint16_t> panel() {
    const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
    return {screen.pixels(), screen.pixels() + static_cast<std::size_t>(screen.nativeWidth()) * screen.nativeHeight()};
  }

  std::vector<std::string> logLines() const {
    std::ifstream file(folder_ / kLogFileName);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  bool logHas(const std::string& line) const {
    for (const std::string& seen : logLines()) {
      if (seen == line) return true;
    }
    return false;
  }

  struct Device {
    Device(const wce::DeviceProfile& profile, const wce::GapiOptions& gapi) : profile(profile), options(gapi) {}
    wce::ScopedDeviceProfile profile;
    wce::ScopedGapiOptions options;
  };

  nvtest::TempFolder folder_{"tdlx-test"};
  std::unique_ptr<Device> device_;
  wce::HWND window_ = nullptr;
  DisplayParams params_;
  std::unique_ptr<Display> display_;
};

// Device profiles of the display paths.
inline wce::DeviceProfile gdiOnlyProfile() {
  wce::DeviceProfile profile;
  profile.rawFrameBufferEscape = false;
  return profile;
}

inline wce::DeviceProfile vgaProfile(int width = 240, int height = 320, int orientation = 0) {
  wce::DeviceProfile profile;
  profile.screenWidth = width;
  profile.screenHeight = height;
  profile.orientation = orientation;
  return profile;
}

inline wce::DeviceProfile gapiProfile() {
  wce::DeviceProfile profile = gdiOnlyProfile();
  profile.modules.push_back("gx.dll");
  return profile;
}

inline wce::DeviceProfile directProfile(bool dma) {
  wce::DeviceProfile profile = gdiOnlyProfile();
  profile.gxInfoEscape = true;
  if (dma) profile.modules.push_back("gxdma.dll");
  return profile;
}

// A device whose processor's LCD controller drives the panel, with none of the
// other frame-buffer paths.
inline wce::DeviceProfile lcdProfile(wce::LcdController controller, std::uint32_t processorId) {
  wce::DeviceProfile profile = gdiOnlyProfile();
  profile.lcdController = controller;
  profile.processorId = processorId;
  return profile;
}

inline constexpr std::uint32_t kStrongArmProcessor = 0x6901B119;
inline constexpr std::uint32_t kXScaleProcessor = 0x69052100;

inline wce::DeviceProfile strongArmProfile() { return lcdProfile(wce::LcdController::StrongArm, kStrongArmProcessor); }
inline wce::DeviceProfile xscaleProfile() { return lcdProfile(wce::LcdController::XScale, kXScaleProcessor); }

// The LCD drivers draw into the frame GAPI finds before them.
inline wce::DeviceProfile withGapi(wce::DeviceProfile profile) {
  profile.modules.push_back("gx.dll");
  return profile;
}

}  // namespace tdlx::testing
