#include <cstring>
#include <gtest/gtest.h>

#include "platform/devices/CoreServices.h"
#include "platform/devices/DeviceModules.h"
#include "platform/gapi/GapiOptions.h"
#include "platform/gapi/Gx.h"
#include "platform/gapi/GxDma.h"
#include "platform/gdi/DisplayEscapes.h"
#include "platform/gdi/Gdi.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/ModuleTable.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"
#include "tests/platform/devices/probe/CoreServicesProbe.h"
#include "tests/platform/gapi/probe/GapiProbe.h"

namespace wce::testing {
namespace {

class GxTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const bool registered = [] {
      registerDeviceModules();
      return true;
    }();
    (void)registered;
    WindowClassInfo info;
    info.procedure = &DefWindowProcW;
    info.className = u"Gx";
    ASSERT_NE(RegisterClassW(&info), 0);
    window_ = CreateWindowExW(0, u"Gx", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    DeviceScreen::instance().fill(0);
    resetDmaTransfers();
  }
  void TearDown() override {
    GXCloseDisplay();
    DestroyWindow(window_);
    EXPECT_TRUE(UnregisterClassW(u"Gx", nullptr));
  }
  HWND window_ = nullptr;
};

void put(void* base, std::ptrdiff_t offset, std::uint16_t colour) {
  std::memcpy(static_cast<std::uint8_t*>(base) + offset, &colour, 2);
}

// GAPI's view of the screen is the same as the raw frame-buffer escape's.
TEST_F(GxTest, PropertiesDescribeTheScreenInEveryOrientation) {
  ASSERT_NE(GXOpenDisplay(window_, GX_FULLSCREEN), 0);
  for (int orientation = 0; orientation < 4; ++orientation) {
    setDisplayOrientation(orientation);
    const GXDisplayProperties properties = GXGetDisplayProperties();
    HDC dc = GetDC(nullptr);
    RawFrameBufferInfo raw;
    ASSERT_EQ(ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof raw, &raw), 1);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(static_cast<std::int32_t>(properties.cxWidth), raw.width);
    EXPECT_EQ(static_cast<std::int32_t>(properties.cyHeight), raw.height);
    EXPECT_EQ(properties.cbxPitch, raw.xStride);
    EXPECT_EQ(properties.cbyPitch, raw.yStride);
    EXPECT_EQ(properties.cBPP, 16);
    void* frame = GXBeginDraw();
    EXPECT_EQ(frame, raw.framePointer);
    put(frame, 4 * properties.cbxPitch + 9 * properties.cbyPitch, 0x1234);
    EXPECT_EQ(GXEndDraw(), 1);
    EXPECT_EQ(DeviceScreen::instance().viewPixel(4, 9), 0x1234) << orientation;
  }
  setDisplayOrientation(0);
}

// A DRAM buffer reaches the panel only over the viewport rows, at GXEndDraw.
TEST_F(GxTest, DramBufferWritesTheViewportRows) {
  GapiOptions options;
  options.dramBuffer = true;
  ScopedGapiOptions scoped(options);
  ASSERT_TRUE(GXIsDisplayDRAMBuffer());
  ASSERT_NE(GXOpenDisplay(window_, GX_FULLSCREEN), 0);
  const GXDisplayProperties properties = GXGetDisplayProperties();
  void* frame = GXBeginDraw();
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(frame, static_cast<void*>(DeviceScreen::instance().pixels()));
  for (int y : {9, 10, 19, 20}) put(frame, 4 * properties.cbxPitch + y * properties.cbyPitch, 0x4321);
  EXPECT_EQ(DeviceScreen::instance().viewPixel(4, 10), 0);
  GXSetViewport(10, 10, 0, 0);
  GXEndDraw();
  EXPECT_EQ(DeviceScreen::instance().viewPixel(4, 9), 0);
  EXPECT_EQ(DeviceScreen::instance().viewPixel(4, 10), 0x4321);
  EXPECT_EQ(DeviceScreen::instance().viewPixel(4, 19), 0x4321);
  EXPECT_EQ(DeviceScreen::instance().viewPixel(4, 20), 0);
}

TEST_F(GxTest, OpenSuspendAndLibraryPresence) {
  EXPECT_EQ(GXBeginDraw(), nullptr);
  EXPECT_EQ(GXOpenDisplay(nullptr, GX_FULLSCREEN), 0);
  ASSERT_NE(GXOpenDisplay(window_, GX_FULLSCREEN), 0);
  EXPECT_EQ(GXOpenDisplay(window_, GX_FULLSCREEN), 0);
  GXSuspend();
  EXPECT_EQ(GXBeginDraw(), nullptr);
  GXResume();
  EXPECT_NE(GXBeginDraw(), nullptr);
  GXEndDraw();

  EXPECT_EQ(LoadLibraryW(u"gx.dll"), nullptr);
  DeviceProfile withGx;
  withGx.modules.push_back("gx.dll");
  ScopedDeviceProfile profile(withGx);
  HMODULE gx = LoadLibraryW(u"GX.DLL");
  ASSERT_NE(gx, nullptr);
  EXPECT_NE(GetProcAddressW(gx, u"GXBeginDraw"), nullptr);
  EXPECT_NE(GetProcAddressW(gx, u"GXIsDisplayDRAMBuffer"), nullptr);
  FreeLibrary(gx);
}

TEST_F(GxTest, DmaCopiesRectanglesAndStaysBusyAsTold) {
  GapiOptions options;
  options.dmaBusyPolls = 2;
  ScopedGapiOptions scoped(options);
  DeviceScreen& screen = DeviceScreen::instance();
  std::vector<std::uint16_t> dram(static_cast<std::size_t>(screen.nativeWidth()) * screen.nativeHeight(), 0x0F0F);
  EXPECT_TRUE(IsDMAReady());
  ASSERT_TRUE(DmaDRAMtoVRAM(dram.data(), screen.pitch(), 8, 4, 4, 2));
  EXPECT_EQ(screen.viewPixel(8, 4), 0x0F0F);
  EXPECT_EQ(screen.viewPixel(11, 5), 0x0F0F);
  EXPECT_EQ(screen.viewPixel(12, 5), 0);
  EXPECT_EQ(screen.viewPixel(8, 6), 0);
  EXPECT_FALSE(IsDMAReady());
  EXPECT_FALSE(DmaDRAMtoVRAM(dram.data(), screen.pitch(), 0, 0, 1, 1));
  EXPECT_TRUE(IsDMAReady());
  EXPECT_TRUE(DmaDRAMtoVRAM(dram.data(), screen.pitch(), 230, 310, 100, 100));
  EXPECT_EQ(screen.viewPixel(239, 319), 0x0F0F);
  EXPECT_EQ(dmaTransferCount(), 2);
}

TEST(CoreServicesTest, KeysKernelModeAndPageSize) {
  clearRecordedCoreCalls();
  AllKeys(true);
  EXPECT_TRUE(AllKeys(false));
  EXPECT_FALSE(SetKMode(true));
  EXPECT_TRUE(SetKMode(false));
  EXPECT_EQ(recordedAllKeysCalls(), (std::vector<bool>{true, false}));
  EXPECT_EQ(recordedKModeCalls(), (std::vector<bool>{true, false}));
  SystemInfo info;
  GetSystemInfo(&info);
  EXPECT_EQ(info.pageSize, 4096u);
}

}  // namespace
}  // namespace wce::testing
