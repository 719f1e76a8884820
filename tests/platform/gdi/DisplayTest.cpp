#include <algorithm>

#include "GdiFixture.h"
#include "platform/gdi/DisplayEscapes.h"
#include "platform/gdi/DisplaySettings.h"
#include "platform/system/ModuleTable.h"
#include "platform/system/SystemInfo.h"

namespace wce::testing {
namespace {

using EscapeTest = GdiTest;

int query(HDC dc, std::uint32_t escape) { return ExtEscape(dc, QUERYESCSUPPORT, 4, &escape, 0, nullptr); }

TEST_F(EscapeTest, SupportFollowsTheProfile) {
  HDC dc = GetDC(nullptr);
  EXPECT_EQ(query(dc, QUERYESCSUPPORT), 1);
  EXPECT_EQ(query(dc, GETRAWFRAMEBUFFER), 1);
  EXPECT_EQ(query(dc, GETGXINFO), 0);
  EXPECT_EQ(query(dc, 0x12345), 0);
  EXPECT_EQ(ExtEscape(dc, QUERYESCSUPPORT, 2, "ab", 0, nullptr), -1);
  GxDeviceInfo info;
  info.version = GX_INFO_VERSION;
  EXPECT_EQ(ExtEscape(dc, GETGXINFO, 0, nullptr, sizeof info, &info), 0);
  ReleaseDC(nullptr, dc);
  DeviceProfile bare;
  bare.rawFrameBufferEscape = false;
  ScopedDeviceProfile scoped(bare);
  dc = GetDC(nullptr);
  EXPECT_EQ(query(dc, GETRAWFRAMEBUFFER), 0);
  RawFrameBufferInfo raw;
  EXPECT_EQ(ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof raw, &raw), 0);
  ReleaseDC(nullptr, dc);
}

TEST_F(EscapeTest, RawFrameBufferWritesReachTheScreen) {
  for (int orientation = 0; orientation < 4; ++orientation) {
    setDisplayOrientation(orientation);
    HDC dc = GetDC(window());
    RawFrameBufferInfo raw;
    ASSERT_EQ(ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof raw, &raw), 1);
    EXPECT_EQ(raw.format, FORMAT_565);
    EXPECT_EQ(raw.bitsPerPixel, 16);
    EXPECT_EQ(raw.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(raw.height, GetSystemMetrics(SM_CYSCREEN));
    const std::uint16_t colour = static_cast<std::uint16_t>(0x1111 * (orientation + 1));
    auto* frame = static_cast<std::uint8_t*>(raw.framePointer);
    std::memcpy(frame + 5 * raw.xStride + 7 * raw.yStride, &colour, 2);
    EXPECT_EQ(DeviceScreen::instance().viewPixel(5, 7), colour) << orientation;
    EXPECT_EQ(ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof raw - 1, &raw), -1);
    ReleaseDC(nullptr, dc);
  }
}

TEST_F(EscapeTest, GxInfoDescribesThePanel) {
  for (const char* preset : {"PocketPC", "MotoQ"}) {
    DeviceProfile profile = *devicePreset(preset);
    profile.gxInfoEscape = true;
    ScopedDeviceProfile scoped(profile);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(query(dc, GETGXINFO), 1);
    GxDeviceInfo info;
    EXPECT_EQ(ExtEscape(dc, GETGXINFO, 0, nullptr, sizeof info, &info), -1);
    info.version = GX_INFO_VERSION;
    ASSERT_EQ(ExtEscape(dc, GETGXINFO, 0, nullptr, sizeof info, &info), 1);
    DeviceScreen& screen = DeviceScreen::instance();
    EXPECT_EQ(info.frameBuffer, screen.pixels());
    EXPECT_EQ(info.stride, static_cast<std::uint32_t>(screen.pitch()));
    const bool landscape = (info.format & GX_FORMAT_LANDSCAPE) != 0;
    EXPECT_EQ(landscape, std::string(preset) == "MotoQ");
    // The reader exchanges width and height of a landscape record.
    const auto width = landscape ? info.height : info.width;
    EXPECT_EQ(width, static_cast<std::uint32_t>(screen.nativeWidth()));
    EXPECT_TRUE(info.format & GX_FORMAT_DIRECT565);
    ReleaseDC(nullptr, dc);
  }
}

using DisplaySettingsTest = GdiTest;

DWORD currentOrientation() {
  DeviceMode mode;
  mode.fields = DM_DISPLAYORIENTATION;
  mode.displayOrientation = 99;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  return mode.displayOrientation;
}

std::int32_t setOrientation(DWORD orientation, DWORD flags = 0) {
  DeviceMode mode;
  mode.fields = DM_DISPLAYORIENTATION;
  mode.displayOrientation = orientation;
  return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, flags, nullptr);
}

TEST_F(DisplaySettingsTest, SettingTurnsTheScreenAndTellsTheWindows) {
  window();
  EXPECT_EQ(currentOrientation(), DMDO_0);
  messagesSeen().clear();
  ASSERT_EQ(setOrientation(DMDO_90), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(currentOrientation(), DMDO_90);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(DeviceScreen::instance().width(), 320);
  EXPECT_EQ(messagesSeen(), std::vector<UINT>{WM_SETTINGCHANGE});
  ASSERT_EQ(setOrientation(DMDO_270, CDS_RESET), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(currentOrientation(), DMDO_270);
  ASSERT_EQ(setOrientation(DMDO_180), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(currentOrientation(), DMDO_180);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
}

TEST_F(DisplaySettingsTest, RefusesWhatTheDeviceCannotDo) {
  EXPECT_EQ(setOrientation(3), DISP_CHANGE_BADMODE);
  EXPECT_EQ(setOrientation(DMDO_90, 0x8), DISP_CHANGE_BADFLAGS);
  DeviceMode small;
  small.size = 4;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &small, nullptr, CDS_TEST, nullptr), DISP_CHANGE_BADPARAM);
  DeviceMode supported;
  supported.fields = DM_DISPLAYQUERYORIENTATION;
  ChangeDisplaySettingsEx(nullptr, &supported, nullptr, CDS_TEST, nullptr);
  EXPECT_EQ(supported.displayOrientation, DMDO_90 | DMDO_180 | DMDO_270);
  DeviceProfile fixed;
  fixed.rotatable = false;
  ScopedDeviceProfile scoped(fixed);
  EXPECT_EQ(setOrientation(DMDO_90), DISP_CHANGE_FAILED);
  EXPECT_EQ(currentOrientation(), DMDO_0);
}

TEST_F(DisplaySettingsTest, ReachableThroughTheSystemLibrary) {
  registerDisplaySettingsEntries();
  DeviceProfile noModules;
  noModules.modules.clear();
  ScopedDeviceProfile scoped(noModules);
  HMODULE core = LoadLibraryW(u"CoreDll.dll");
  ASSERT_NE(core, nullptr);
  auto change = reinterpret_cast<decltype(&ChangeDisplaySettingsEx)>(GetProcAddressW(core, u"ChangeDisplaySettingsEx"));
  ASSERT_NE(change, nullptr);
  DeviceMode mode;
  mode.fields = DM_DISPLAYORIENTATION;
  mode.displayOrientation = DMDO_180;
  EXPECT_EQ(change(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(displayOrientation(), 2);
  FreeLibrary(core);
}

}  // namespace
}  // namespace wce::testing
