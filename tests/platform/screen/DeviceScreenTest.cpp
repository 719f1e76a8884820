#include <cstdio>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "platform/screen/DeviceScreen.h"
#include "platform/screen/PngFile.h"
#include "platform/system/ActiveDevice.h"
#include "tests/support/TempFolder.h"

namespace wce {
namespace {

class DeviceScreenTest : public ::testing::Test {
protected:
  ScopedDeviceProfile profile_{DeviceProfile{}};
};

TEST_F(DeviceScreenTest, FollowsTheProfilesScreen) {
  EXPECT_EQ(DeviceScreen::instance().nativeWidth(), 240);
  EXPECT_EQ(DeviceScreen::instance().nativeHeight(), 320);
  ScopedDeviceProfile rotated(*devicePreset("Rotated"));
  DeviceScreen& screen = DeviceScreen::instance();
  EXPECT_EQ(screen.nativeWidth(), 240);
  EXPECT_EQ(screen.nativeHeight(), 320);
  EXPECT_EQ(screen.width(), 320);
  EXPECT_EQ(screen.height(), 240);
  EXPECT_EQ(screen.pitch(), 480);
}

TEST_F(DeviceScreenTest, ViewTurnsWithTheOrientation) {
  DeviceScreen screen(4, 6);
  struct Case {
    int orientation;
    int width, height;
    int nativeX, nativeY;  // where view pixel (1, 0) lies
  };
  for (const Case& c : {Case{0, 4, 6, 1, 0}, Case{1, 6, 4, 3, 1}, Case{2, 4, 6, 2, 5}, Case{3, 6, 4, 0, 4}}) {
    setDisplayOrientation(c.orientation);
    std::fill(screen.pixels(), screen.pixels() + 24, 0);
    screen.setViewPixel(1, 0, 0xF800);
    EXPECT_EQ(screen.width(), c.width);
    EXPECT_EQ(screen.height(), c.height);
    EXPECT_EQ(screen.pixels()[c.nativeY * 4 + c.nativeX], 0xF800) << c.orientation;
    EXPECT_EQ(screen.viewPixel(1, 0), 0xF800);
    EXPECT_EQ(screen.readView()[1], 0xF800);
  }
}

TEST_F(DeviceScreenTest, LayoutStridesAddressTheSamePixelsAsTheView) {
  DeviceScreen screen(6, 10);
  for (int orientation = 0; orientation < 4; ++orientation) {
    setDisplayOrientation(orientation);
    const ViewLayout layout = screen.viewLayout();
    ASSERT_EQ(layout.width, screen.width());
    for (int y = 0; y < layout.height; ++y) {
      for (int x = 0; x < layout.width; ++x) {
        std::uint16_t value = static_cast<std::uint16_t>(y * 100 + x);
        std::memcpy(layout.origin + x * layout.xStride + y * layout.yStride, &value, 2);
      }
    }
    for (int y = 0; y < layout.height; ++y) {
      for (int x = 0; x < layout.width; ++x) {
        ASSERT_EQ(screen.viewPixel(x, y), y * 100 + x) << orientation << " " << x << "," << y;
      }
    }
  }
}

TEST_F(DeviceScreenTest, StrideTableForTheQuarterTurn) {
  DeviceScreen screen(240, 320);
  setDisplayOrientation(1);
  const ViewLayout layout = screen.viewLayout();
  EXPECT_EQ(layout.xStride, 480);
  EXPECT_EQ(layout.yStride, -2);
  EXPECT_EQ(layout.origin, reinterpret_cast<std::uint8_t*>(screen.pixels()) + (240 - 1) * 2);
  EXPECT_EQ(layout.width, 320);
  EXPECT_EQ(layout.height, 240);
}

TEST_F(DeviceScreenTest, OutsideTheViewReadsZeroAndWritesNothing) {
  DeviceScreen screen(2, 2);
  screen.fill(0x1234);
  screen.setViewPixel(2, 0, 0);
  screen.setViewPixel(-1, 0, 0);
  EXPECT_EQ(screen.viewPixel(0, 2), 0);
  for (std::uint16_t pixel : screen.readView()) EXPECT_EQ(pixel, 0x1234);
}

TEST(Rgb565Test, ChannelsWidenByRepeatingTheirTopBits) {
  EXPECT_EQ(widenRgb565(0xFFFF), (Rgb888{255, 255, 255}));
  EXPECT_EQ(widenRgb565(0x0000), (Rgb888{0, 0, 0}));
  EXPECT_EQ(widenRgb565(0xF800), (Rgb888{255, 0, 0}));
  EXPECT_EQ(widenRgb565(0x07E0), (Rgb888{0, 255, 0}));
  EXPECT_EQ(widenRgb565(0x8410), (Rgb888{132, 130, 132}));
}

std::string decodeWithImageMagick(const std::string& path) {
  const std::string command = "convert '" + path + "' -depth 8 rgb:- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string bytes;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) bytes.append(chunk, got);
  pclose(pipe);
  return bytes;
}

TEST_F(DeviceScreenTest, PngOfTheViewDecodesToTheSamePixelsWithAnotherTool) {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  ScopedDeviceProfile rotated(*devicePreset("Rotated"));
  DeviceScreen& screen = DeviceScreen::instance();
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width(); ++x) {
      screen.setViewPixel(x, y, static_cast<std::uint16_t>((x * 31 / 319) << 11 | (y * 63 / 239) << 5 | (x ^ y) % 32));
    }
  }
  const nvtest::TempFolder folder("nv-screen");
  const std::string path = folder / "screen.png";
  ASSERT_EQ(writeScreenPng(screen, path), "");
  const std::string decoded = decodeWithImageMagick(path);
  ASSERT_EQ(decoded.size(), 320u * 240u * 3u);
  const auto view = screen.readView();
  for (std::size_t i = 0; i < view.size(); ++i) {
    const Rgb888 expected = widenRgb565(view[i]);
    ASSERT_EQ(static_cast<std::uint8_t>(decoded[i * 3]), expected.red) << i;
    ASSERT_EQ(static_cast<std::uint8_t>(decoded[i * 3 + 1]), expected.green) << i;
    ASSERT_EQ(static_cast<std::uint8_t>(decoded[i * 3 + 2]), expected.blue) << i;
  }
}

TEST(PngFileTest, UnwritablePathIsAnError) {
  const std::uint16_t pixel = 0;
  EXPECT_EQ(writeRgb565Png("/nonexistent-folder/x.png", &pixel, 1, 1), "/nonexistent-folder/x.png: cannot be written");
  EXPECT_EQ(writeRgb565Png("/tmp/x.png", nullptr, 1, 1), "no pixels to write");
}

}  // namespace
}  // namespace wce
