#include "GdiFixture.h"

namespace wce::testing {
namespace {

TEST_F(GdiTest, DibRowsArePaddedToFourBytes) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  for (int width : {1, 2, 3, 5, 239}) {
    void* bits = nullptr;
    BitmapInfo info = dibInfo(width, -2);
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    const int stride = (width * 2 + 3) & ~3;
    put16(bits, stride, width - 1, 1, 0x7FFF);  // last pixel of the second row
    HGDIOBJ previous = SelectObject(memory, dib);
    ASSERT_TRUE(BitBlt(screen, 0, 0, width, 2, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(DeviceScreen::instance().viewPixel(width - 1, 1), 0xFFFF) << width;
    EXPECT_EQ(DeviceScreen::instance().viewPixel(width - 1, 0), 0) << width;
    SelectObject(memory, previous);
    EXPECT_TRUE(DeleteObject(dib));
    DeviceScreen::instance().fill(0);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(GdiTest, UnsupportedDibsAreRefused) {
  std::vector<BitmapInfo> infos{dibInfo(4, 4, 24),
                                dibInfo(0, 4),
                                dibInfo(4, 0),
                                dibInfo(9000, 4),
                                dibInfo(4, -9000),
                                dibInfo(4, 4, 32, BI_BITFIELDS)};
  BitmapInfo planes = dibInfo(4, 4);
  planes.header.planes = 2;
  infos.push_back(planes);
  BitmapInfo masks = dibInfo(4, 4, 16, BI_BITFIELDS);
  masks.masks[1] = 0x0FE0;
  infos.push_back(masks);
  for (const BitmapInfo& info : infos) {
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
  }
}

TEST_F(GdiTest, SelectionAndDeletionRules) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HDC other = CreateCompatibleDC(screen);
  BitmapInfo info = dibInfo(8, -8);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
  HGDIOBJ replaced = SelectObject(memory, dib);
  ASSERT_NE(replaced, nullptr);
  EXPECT_TRUE(DeleteObject(replaced));  // the default bitmap is a stock object
  EXPECT_EQ(SelectObject(other, dib), nullptr);
  EXPECT_EQ(SelectObject(screen, dib), nullptr);
  EXPECT_FALSE(DeleteObject(dib));
  EXPECT_EQ(SelectObject(memory, GetStockObject(BLACK_BRUSH)), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(memory, replaced), dib);
  EXPECT_EQ(SelectObject(other, dib), replaced);
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_TRUE(DeleteObject(dib));
  EXPECT_FALSE(DeleteObject(dib));
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetStockObject(6), nullptr);
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

TEST_F(GdiTest, Rgb555DibBlitsOntoTheWindowAsRgb565) {
  HWND target = window();
  HDC dc = GetDC(target);
  HDC memory = CreateCompatibleDC(dc);
  void* bits = nullptr;
  BitmapInfo info = dibInfo(3, -2);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(memory, dib);
  put16(bits, 8, 0, 0, 0x7C00);  // red
  put16(bits, 8, 1, 0, 0x03E0);  // green
  put16(bits, 8, 2, 0, 0x001F);  // blue
  put16(bits, 8, 0, 1, 0x0200);  // green 16 of 31
  put16(bits, 8, 2, 1, 0x7FFF);
  DeviceScreen& screen = DeviceScreen::instance();
  ASSERT_TRUE(BitBlt(dc, 10, 20, 3, 2, memory, 0, 0, SRCCOPY));
  EXPECT_EQ(screen.viewPixel(10, 20), 0xF800);
  EXPECT_EQ(screen.viewPixel(11, 20), 0x07E0);
  EXPECT_EQ(screen.viewPixel(12, 20), 0x001F);
  EXPECT_EQ(screen.viewPixel(10, 21), 0x0420);  // 16 widens to green 33
  EXPECT_EQ(screen.viewPixel(12, 21), 0xFFFF);
  EXPECT_EQ(screen.viewPixel(13, 20), 0);
  SelectObject(memory, GetStockObject(WHITE_BRUSH));
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(target, dc);
}

class BlitScene : public GdiTest {
protected:
  void SetUp() override {
    GdiTest::SetUp();
    memory_ = CreateCompatibleDC(nullptr);
    BitmapInfo info = dibInfo(4, 4, 16, BI_BITFIELDS);  // bottom-up RGB565
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    SelectObject(memory_, dib_);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) put16(bits_, 8, x, y, static_cast<std::uint16_t>(0x100 + y * 4 + x));
    }
  }
  void TearDown() override {
    DeleteDC(memory_);
    DeleteObject(dib_);
    GdiTest::TearDown();
  }
  // Value of the DIB's pixel (x, y) counted from its top row.
  static std::uint16_t top(int x, int y) { return static_cast<std::uint16_t>(0x100 + (3 - y) * 4 + x); }

  HDC memory_ = nullptr;
  HBITMAP dib_ = nullptr;
  void* bits_ = nullptr;
};

TEST_F(BlitScene, BottomUpRowsLandUpright) {
  HDC screen = GetDC(nullptr);
  ASSERT_TRUE(BitBlt(screen, 0, 0, 4, 4, memory_, 0, 0, SRCCOPY));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(DeviceScreen::instance().viewPixel(x, y), top(x, y));
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(BlitScene, ClipsToTheWindowTheScreenAndTheSource) {
  HWND target = window(236, 316, 3, 3);
  HDC dc = GetDC(target);
  DeviceScreen& screen = DeviceScreen::instance();
  ASSERT_TRUE(BitBlt(dc, -1, 1, 10, 10, memory_, 0, 1, SRCCOPY));
  EXPECT_EQ(screen.viewPixel(236, 317), top(1, 1));
  EXPECT_EQ(screen.viewPixel(238, 318), top(3, 2));
  EXPECT_EQ(screen.viewPixel(236, 316), 0);  // above the blit
  EXPECT_EQ(screen.viewPixel(239, 317), 0);  // outside the window
  EXPECT_EQ(screen.viewPixel(235, 317), 0);
  ReleaseDC(target, dc);
}

TEST_F(BlitScene, HiddenWindowsShowNothing) {
  HWND hidden = window(0, 0, 240, 320, 0);
  HDC dc = GetDC(hidden);
  const std::vector<std::uint16_t> before = DeviceScreen::instance().readView();
  EXPECT_TRUE(BitBlt(dc, 0, 0, 4, 4, memory_, 0, 0, SRCCOPY));
  EXPECT_EQ(DeviceScreen::instance().readView(), before);
  EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, memory_, 0, 0, 0x00EE0086));
  ReleaseDC(hidden, dc);
}

TEST_F(BlitScene, RotatedScreenShowsTheBlitUpright) {
  setDisplayOrientation(1);
  HDC screen = GetDC(nullptr);
  ASSERT_TRUE(BitBlt(screen, 300, 0, 4, 4, memory_, 0, 0, SRCCOPY));
  const auto view = DeviceScreen::instance().readView();
  EXPECT_EQ(view[0 * 320 + 300], top(0, 0));
  EXPECT_EQ(view[3 * 320 + 303], top(3, 3));
  ReleaseDC(nullptr, screen);
}

TEST_F(BlitScene, DibToDibConvertsFormats) {
  HDC target = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  BitmapInfo info = dibInfo(2, -2);  // RGB555
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(target, dib);
  put16(bits_, 8, 0, 3, 0xFFFF);  // top-left of the bottom-up source
  ASSERT_TRUE(BitBlt(target, 0, 0, 2, 2, memory_, 0, 0, SRCCOPY));
  std::uint16_t pixel;
  std::memcpy(&pixel, bits, 2);
  EXPECT_EQ(pixel, 0x7FFF);
  DeleteDC(target);
  DeleteObject(dib);
}

TEST_F(GdiTest, BeginPaintValidatesTheWindow) {
  HWND target = window();
  PAINTSTRUCT paint;
  ASSERT_NE(BeginPaint(target, &paint), nullptr);
  EXPECT_EQ(paint.paint, (RECT{0, 0, 240, 320}));
  EXPECT_FALSE(GetUpdateRect(target, nullptr, false));
  EXPECT_TRUE(EndPaint(target, &paint));
}

TEST(DeviceCapsTest, ScreenAndDotsPerInchFollowTheDevice) {
  struct Case {
    const char* preset;
    int width, height, dpi;
  };
  for (const Case& c : {Case{"PocketPC", 240, 320, 96},
                        Case{"VGA", 480, 640, 192},
                        Case{"Rotated", 320, 240, 96},
                        Case{"SmartPhone", 176, 220, 96}}) {
    ScopedDeviceProfile profile(*devicePreset(c.preset));
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.width) << c.preset;
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.height) << c.preset;
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), c.dpi) << c.preset;
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
    ReleaseDC(nullptr, dc);
  }
}

}  // namespace
}  // namespace wce::testing
