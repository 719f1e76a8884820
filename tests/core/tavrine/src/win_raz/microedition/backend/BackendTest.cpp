#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "microedition/backend/BackendTable.h"
#include "microedition/backend/ExtEscBackend.h"
#include "microedition/backend/GdiBackend.h"
#include "microedition/backend/TdlxBackend.h"
#include "microedition/raster/RasterSurface.h"
#include "platform/gapi/Gx.h"
#include "platform/gdi/PixelFormat.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/ModuleTable.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"
#include "tests/platform/gapi/probe/GapiProbe.h"

namespace qel::lcdui {
namespace {

using qel::raster::PF_RGB565;
using qel::raster::RasterSurface;

uint16_t patternPixel(int x, int y) { return static_cast<uint16_t>((x * 2654435761u + y * 40503u) >> 7); }

// A 565 surface holding the pattern.
std::unique_ptr<RasterSurface> patternSurface(int width, int height) {
  auto surface = std::make_unique<RasterSurface>(PF_RGB565, width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(surface->pixels()) + y * surface->stride());
    for (int x = 0; x < width; ++x) row[x] = patternPixel(x, y);
  }
  return surface;
}

// What the panel shows of a 565 pixel that went through an RGB555 frame.
uint16_t through555(uint16_t pixel) {
  uint8_t bytes[2];
  wce::writePixel(
      wce::PixelFormat::Rgb555, bytes, wce::readPixel(wce::PixelFormat::Rgb565, reinterpret_cast<uint8_t*>(&pixel)));
  return wce::toRgb565(wce::readPixel(wce::PixelFormat::Rgb555, bytes));
}

wce::LRESULT plainProcedure(wce::HWND window, wce::UINT message, wce::WPARAM wParam, wce::LPARAM lParam) {
  return wce::DefWindowProcW(window, message, wParam, lParam);
}

class BackendTest : public ::testing::Test {
protected:
  void SetUp() override {
    wce::WindowClassInfo info;
    info.procedure = &plainProcedure;
    info.className = u"BackendTest";
    ASSERT_NE(wce::RegisterClassW(&info), 0);
    window_ = wce::CreateWindowExW(0,
                                   u"BackendTest",
                                   u"",
                                   wce::WS_VISIBLE,
                                   0,
                                   0,
                                   wce::GetSystemMetrics(0),
                                   wce::GetSystemMetrics(1),
                                   nullptr,
                                   nullptr,
                                   nullptr,
                                   nullptr);
    wce::DeviceScreen::instance().fill(0);
  }

  void TearDown() override {
    wce::DestroyWindow(window_);
    wce::MSG message;
    while (wce::PeekMessageW(&message, nullptr, 0, 0, wce::PM_REMOVE)) {}
    wce::UnregisterClassW(u"BackendTest", nullptr);
  }

  // Draws the pattern through one frame of backend.
  static void drawFrame(DisplayBackend& backend, const RasterSurface& pattern) {
    ASSERT_TRUE(backend.begin());
    RasterSurface* surface = backend.getSurface();
    ASSERT_NE(surface, nullptr);
    surface->drawSurface(0, 0, pattern, nullptr, qel::raster::RT_NONE);
    backend.present();
  }

  wce::HWND window_ = nullptr;
};

TEST_F(BackendTest, ExtEscapeFrameReachesThePanelExactly) {
  ExtEscBackend backend;
  ASSERT_TRUE(backend.open(window_, {0, 0, 0}));
  EXPECT_EQ(backend.width(), 240);
  EXPECT_EQ(backend.height(), 320);
  auto pattern = patternSurface(240, 320);
  drawFrame(backend, *pattern);
  std::vector<uint16_t> shown = wce::DeviceScreen::instance().readView();
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 240; ++x) ASSERT_EQ(shown[y * 240 + x], patternPixel(x, y)) << x << "," << y;
}

TEST_F(BackendTest, ExtEscapeUpdateRectLimitsThePresent) {
  ExtEscBackend backend;
  ASSERT_TRUE(backend.open(window_, {}));
  ASSERT_TRUE(backend.setUpdateRect({10, 20, 30, 40}));
  auto pattern = patternSurface(240, 320);
  drawFrame(backend, *pattern);
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  EXPECT_EQ(screen.viewPixel(10, 20), patternPixel(10, 20));
  EXPECT_EQ(screen.viewPixel(39, 59), patternPixel(39, 59));
  EXPECT_EQ(screen.viewPixel(40, 59), 0);
  EXPECT_EQ(screen.viewPixel(9, 20), 0);
}

TEST_F(BackendTest, ExtEscapeWithoutTheEscapeDoesNotOpen) {
  wce::DeviceProfile bare;
  bare.rawFrameBufferEscape = false;
  wce::ScopedDeviceProfile scoped(bare);
  ExtEscBackend backend;
  EXPECT_FALSE(backend.open(window_, {}));
  EXPECT_EQ(backend.width(), 0);
  EXPECT_FALSE(backend.begin());
  EXPECT_EQ(backend.getSurface(), nullptr);
  backend.present();
}

TEST_F(BackendTest, GdiFrameCopiesToTheTopLeftOfALargerScreen) {
  wce::ScopedDeviceProfile vga(*wce::devicePreset("VGA"));
  wce::DeviceScreen::instance().fill(0);
  GdiBackend backend;
  ASSERT_TRUE(backend.open(window_, {240, 320, 0}));
  EXPECT_EQ(backend.width(), 240);
  EXPECT_EQ(backend.height(), 320);
  wce::RECT rect;
  wce::GetWindowRect(window_, &rect);
  EXPECT_EQ(rect.right - rect.left, wce::GetSystemMetrics(0));
  EXPECT_NE(wce::GetWindowLongW(window_, wce::GWL_EXSTYLE) & wce::WS_EX_TOPMOST, 0);
  auto pattern = patternSurface(240, 320);
  drawFrame(backend, *pattern);
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  for (int y = 0; y < 320; y += 7)
    for (int x = 0; x < 240; x += 3) ASSERT_EQ(screen.viewPixel(x, y), through555(patternPixel(x, y)));
  EXPECT_EQ(screen.viewPixel(240, 0), 0);
  EXPECT_EQ(screen.viewPixel(0, 320), 0);
}

TEST_F(BackendTest, GdiOddWidthKeepsRowsAligned) {
  GdiBackend backend;
  ASSERT_TRUE(backend.open(window_, {37, 11, 0}));
  ASSERT_TRUE(backend.begin());
  EXPECT_EQ(backend.getSurface()->stride(), 76);
  backend.present();
  auto pattern = patternSurface(37, 11);
  drawFrame(backend, *pattern);
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(screen.viewPixel(x, y), through555(patternPixel(x, y))) << x << "," << y;
}

TEST_F(BackendTest, PresentWithoutBeginDrawsNothing) {
  GdiBackend backend;
  ASSERT_TRUE(backend.open(window_, {240, 320, 0}));
  ASSERT_TRUE(backend.begin());
  backend.getSurface()->fillRect(0, 0, 240, 320, 0xFFFFFF);
  backend.present();
  wce::DeviceScreen::instance().fill(0);
  backend.present();
  EXPECT_EQ(wce::DeviceScreen::instance().viewPixel(5, 5), 0);
  EXPECT_EQ(backend.getSurface(), nullptr);
  backend.close();
  EXPECT_EQ(backend.width(), 0);
  EXPECT_FALSE(backend.begin());
}

TEST_F(BackendTest, TdlxFrameReachesThePanelExactly) {
  TdlxBackend backend;
  ASSERT_TRUE(backend.open(window_, {120, 160, 0}));
  // The library's size, not the asked one.
  EXPECT_EQ(backend.width(), 240);
  EXPECT_EQ(backend.height(), 320);
  EXPECT_TRUE(backend.setUpdateRect({0, 0, 10, 10}));
  auto pattern = patternSurface(240, 320);
  drawFrame(backend, *pattern);
  std::vector<uint16_t> shown = wce::DeviceScreen::instance().readView();
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 240; ++x) ASSERT_EQ(shown[y * 240 + x], patternPixel(x, y)) << x << "," << y;
  backend.close();
  EXPECT_EQ(backend.width(), 0);
  EXPECT_FALSE(backend.begin());
  EXPECT_FALSE(backend.setUpdateRect({}));
}

TEST(TdlxOrientationTest, RotationsBecomeLibraryOrientations) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 0}, {90, 3}, {180, 2}, {270, 1}, {45, 4}, {-90, 4}, {360, 4}};
  for (auto [rotation, orientation] : cases) EXPECT_EQ(TdlxBackend::orientationFor(rotation), orientation) << rotation;
}

// The emulated "gx.dll" as the device registers it: each back-end hands the
// keys to the program while open, and skips the calls without the library.
TEST_F(BackendTest, BackEndsOpenAndCloseTheGxInput) {
  wce::registerGxEntries();
  TdlxBackend tdlx;
  GdiBackend gdi;
  ExtEscBackend extEsc;
  const int width = wce::GetSystemMetrics(0), height = wce::GetSystemMetrics(1);
  for (DisplayBackend* backend : std::initializer_list<DisplayBackend*>{&tdlx, &gdi, &extEsc}) {
    std::u16string name(backend->getName());
    ASSERT_TRUE(backend->open(window_, {width, height, 0})) << std::string(name.begin(), name.end());
    EXPECT_FALSE(wce::gxInputOpen());
    backend->close();
    wce::DeviceProfile withGx;
    withGx.modules.push_back("gx.dll");
    wce::ScopedDeviceProfile scoped(withGx);
    ASSERT_TRUE(backend->open(window_, {width, height, 0}));
    EXPECT_TRUE(wce::gxInputOpen()) << std::string(name.begin(), name.end());
    backend->close();
    EXPECT_FALSE(wce::gxInputOpen()) << std::string(name.begin(), name.end());
  }
}

TEST(BackendTableTest, ChoiceIgnoresCaseAndFallsBackToTheFirstEntry) {
  EXPECT_EQ(BackendTable::choose(u"gdi"), nullptr);
  BackendTable::createBackends();
  DisplayBackend* gdi = BackendTable::at(1);
  ASSERT_NE(gdi, nullptr);
  BackendTable::createBackends();
  EXPECT_EQ(BackendTable::at(1), gdi);
  EXPECT_EQ(BackendTable::choose(u"GDI"), gdi);
  EXPECT_EQ(BackendTable::choose(u"ExtEsc"), BackendTable::at(2));
  EXPECT_EQ(BackendTable::choose(u"xyz"), BackendTable::at(0));
  EXPECT_EQ(std::u16string(BackendTable::at(0)->getName()), u"tdlx");
  EXPECT_EQ(BackendTable::choose(nullptr), BackendTable::at(0));
  BackendTable::destroyBackends();
  EXPECT_FALSE(BackendTable::exists());
  EXPECT_EQ(BackendTable::at(1), nullptr);
}

}  // namespace
}  // namespace qel::lcdui
