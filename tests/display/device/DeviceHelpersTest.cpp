// This suite registers none of the device's optional libraries, so the display
// library's stand-ins for missing system entries are the ones in use.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "display/device/DeviceModel.h"
#include "display/device/DeviceTimer.h"
#include "display/device/DisplayEscapeQueries.h"
#include "display/device/Log.h"
#include "display/device/SystemLibraries.h"
#include "display/drivers/FrameBufferOrigin.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Aygshell.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"
#include "tests/display/LogFolderEnvironment.h"
#include "tests/display/device/probe/DeviceProbe.h"
#include "tests/platform/system/probe/AygshellProbe.h"
#include "tests/support/TempFolder.h"

namespace tdlx::testing {
namespace {

class DeviceHelpersTest : public ::testing::Test {
protected:
  void SetUp() override {
    setLogFolder(folder_.path());
    forgetAll();
  }
  void TearDown() override {
    forgetAll();
    setLogFolder(LogFolderEnvironment::folder());
  }
  static void forgetAll() {
    forgetDeviceModel();
    forgetProcessorAndPageSize();
    forgetSystemLibraries();
    restartLog();
  }
  nvtest::TempFolder folder_{"tdlx-device"};
};

TEST(DeviceModelTest, OemTextsAndTheirModels) {
  struct Case {
    const char16_t* oem;
    int model;
  };
  for (const Case& c : {Case{u"MotoQ9c", 9},
                        Case{u"MotoQ", 8},
                        Case{u"motoq", 8},
                        Case{u"MotoQ1", 0},
                        Case{u"toshiba e740 pocket pc", 6},
                        Case{u"Unknown", 0},
                        Case{u"", 0},
                        Case{u"Compaq iPAQ H3800", 1},
                        Case{u"HTC VOYAGER", 11},
                        Case{u"SAMSUNG SCH-i760x", 10},
                        Case{u"Toshiba", 0}}) {
    EXPECT_EQ(deviceModelFromOem(c.oem), c.model);
  }
}

TEST_F(DeviceHelpersTest, DeviceModelComesFromTheProfileOnce) {
  wce::ScopedDeviceProfile profile(*wce::devicePreset("Toshiba e750"));
  EXPECT_EQ(getDeviceModel(), kModelToshibaE750);
  wce::ScopedDeviceProfile other(*wce::devicePreset("MotoQ"));
  EXPECT_EQ(getDeviceModel(), kModelToshibaE750);
  forgetDeviceModel();
  EXPECT_EQ(getDeviceModel(), kModelMotoQ);
}

TEST_F(DeviceHelpersTest, MillisecondsFollowTheDeviceClockOnEveryModel) {
  wce::ManualClock clock(5000);
  wce::ScopedClockSource scoped(clock);
  for (const char* preset : {"PocketPC", "HTC VOYAGER"}) {
    forgetDeviceModel();
    wce::ScopedDeviceProfile profile(*wce::devicePreset(preset));
    clock.setMillis(5000);
    EXPECT_EQ(getMilliseconds(), 5000u) << preset;
    clock.advanceMillis(37);
    EXPECT_EQ(getMilliseconds(), 5037u) << preset;
  }
}

TEST_F(DeviceHelpersTest, ProcessorKindIsReadOnce) {
  wce::ScopedDeviceProfile xscale(*wce::devicePreset("Toshiba e740"));
  EXPECT_EQ(getProcessorKind(), ProcessorKind::XScale);
  wce::ScopedDeviceProfile strongArm(*wce::devicePreset("Compaq iPAQ H3800"));
  EXPECT_EQ(getProcessorKind(), ProcessorKind::XScale);
  forgetProcessorAndPageSize();
  EXPECT_EQ(getProcessorKind(), ProcessorKind::StrongArm);
  EXPECT_EQ(getPageSize(), 4096u);
}

// Without ChangeDisplaySettingsEx the device shows orientation 0 only.
TEST_F(DeviceHelpersTest, MissingOrientationCallIsReplaced) {
  wce::DeviceProfile turned;
  turned.screenWidth = 320;
  turned.screenHeight = 240;
  turned.orientation = 1;
  wce::ScopedDeviceProfile profile(turned);
  EXPECT_EQ(readSystemOrientation(), 0);
  EXPECT_EQ(setSystemOrientation(2), wce::DISP_CHANGE_BADFLAGS);
  EXPECT_EQ(wce::displayOrientation(), 1);

  CoreLibrary& core = CoreLibrary::instance();
  struct Case {
    std::uint32_t size;
    wce::DWORD fields;
    wce::DWORD orientation;
    wce::DWORD flags;
    std::int32_t result;
  };
  for (const Case& c : {Case{4, wce::DM_DISPLAYORIENTATION, 0, wce::CDS_TEST, wce::DISP_CHANGE_BADPARAM},
                        Case{sizeof(wce::DeviceMode), wce::DM_DISPLAYQUERYORIENTATION, 7, wce::CDS_TEST, 0},
                        Case{sizeof(wce::DeviceMode), 1, 7, wce::CDS_TEST, 0},
                        Case{sizeof(wce::DeviceMode), wce::DM_DISPLAYORIENTATION, 7, wce::CDS_TEST, -1},
                        Case{sizeof(wce::DeviceMode), 1, wce::DMDO_0, wce::CDS_RESET, 0},
                        Case{sizeof(wce::DeviceMode), 1, wce::DMDO_90, wce::CDS_RESET, -1},
                        Case{sizeof(wce::DeviceMode), wce::DM_DISPLAYORIENTATION, 0, 0, wce::DISP_CHANGE_BADFLAGS}}) {
    wce::DeviceMode mode;
    mode.size = c.size;
    mode.fields = c.fields;
    mode.displayOrientation = c.orientation;
    EXPECT_EQ(core.changeDisplaySettings(&mode, c.flags), c.result) << c.fields << " " << c.flags;
    if (c.flags == wce::CDS_TEST && c.result == 0) {
      EXPECT_EQ(mode.displayOrientation, wce::DMDO_0);
    }
  }
  core.allKeys(true);
  core.allKeys(false);
}

// Without aygshell the task bar window itself is shown and hidden.
TEST_F(DeviceHelpersTest, MissingFullScreenCallTogglesTheTaskBar) {
  wce::DeviceProfile bare;
  bare.modules.clear();
  wce::ScopedDeviceProfile profile(bare);
  wce::WindowClassInfo info;
  info.procedure = &wce::DefWindowProcW;
  info.className = u"HHTaskBar";
  ASSERT_NE(wce::RegisterClassW(&info), 0);
  wce::HWND taskBar =
      wce::CreateWindowExW(0, u"HHTaskBar", u"", wce::WS_VISIBLE, 0, 0, 240, 26, nullptr, nullptr, nullptr, nullptr);
  wce::clearRecordedShellCalls();
  ShellLibrary& shell = ShellLibrary::instance();
  shell.fullScreen(nullptr, 0x2A);
  EXPECT_FALSE(wce::ShowWindow(taskBar, wce::SW_HIDE));
  shell.fullScreen(nullptr, 0x15);
  EXPECT_TRUE(wce::ShowWindow(taskBar, wce::SW_SHOW));
  EXPECT_TRUE(wce::recordedFullScreenCalls().empty());
  wce::DestroyWindow(taskBar);
  EXPECT_TRUE(wce::UnregisterClassW(u"HHTaskBar", nullptr));
}

TEST_F(DeviceHelpersTest, EscapeQueriesFollowTheProfile) {
  wce::RawFrameBufferInfo raw;
  EXPECT_TRUE(queryRawFrameBuffer(raw));
  EXPECT_EQ(raw.width, 240);
  EXPECT_EQ(raw.height, 320);
  wce::GxDeviceInfo gx;
  EXPECT_FALSE(queryGxInfo(gx));

  wce::DeviceProfile landscape = *wce::devicePreset("MotoQ");
  landscape.gxInfoEscape = true;
  landscape.rawFrameBufferEscape = false;
  wce::ScopedDeviceProfile profile(landscape);
  EXPECT_FALSE(queryRawFrameBuffer(raw));
  ASSERT_TRUE(queryGxInfo(gx));
  EXPECT_EQ(gx.width, 320u);
  EXPECT_EQ(gx.height, 240u);
  EXPECT_EQ(gx.stride, 640u);
  EXPECT_EQ(gx.frameBuffer, wce::DeviceScreen::instance().pixels());
}

// The origin rule brings every orientation's raw frame buffer back to the panel.
TEST_F(DeviceHelpersTest, FrameBufferOriginIsThePanelInEveryOrientation) {
  for (int orientation = 0; orientation < 4; ++orientation) {
    wce::DeviceProfile device;
    device.orientation = orientation;
    if (orientation & 1) std::swap(device.screenWidth, device.screenHeight);
    wce::ScopedDeviceProfile profile(device);
    wce::RawFrameBufferInfo raw;
    ASSERT_TRUE(queryRawFrameBuffer(raw));
    const FrameBufferOrigin origin = frameBufferOrigin(raw.width, raw.height, raw.xStride, raw.yStride, 16);
    EXPECT_EQ(origin.orientation, static_cast<std::uint32_t>(orientation));
    EXPECT_EQ(origin.width, 240);
    EXPECT_EQ(origin.height, 320);
    EXPECT_EQ(origin.pitch, 480);
    EXPECT_EQ(static_cast<std::uint8_t*>(raw.framePointer) + origin.offset,
              reinterpret_cast<std::uint8_t*>(wce::DeviceScreen::instance().pixels()))
        << orientation;
  }
}

}  // namespace
}  // namespace tdlx::testing
