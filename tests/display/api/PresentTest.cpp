#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>
#include <tuple>

#include "DisplayFixture.h"
#include "LockstepClock.h"
#include "display/detect/DriverChoice.h"
#include "display/drivers/RotationDriver.h"
#include "platform/screen/PngFile.h"
#include "platform/system/Clock.h"

namespace tdlx::testing {
namespace {

struct PathCase {
  const char* name;
  wce::DeviceProfile profile;
  wce::GapiOptions gapi;
  std::vector<std::uint32_t> drivers;
  std::uint32_t chosen;
  // Screens turned from their panel go through the rotation driver, which
  // is drawn into directly.
  bool shadow;
  friend void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<PathCase> pathCases() {
  wce::GapiOptions dram;
  dram.dramBuffer = true;
  wce::DeviceProfile smartPhone = vgaProfile(176, 220);
  smartPhone.platformType = u"SmartPhone";
  return {
      {"GdiOnly", gdiOnlyProfile(), {}, {kGdiDriver}, kGdiDriver, false},
      {"VgaPortrait", vgaProfile(), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, true},
      {"VgaQuarterTurn", vgaProfile(320, 240, 1), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, false},
      {"VgaHalfTurn", vgaProfile(240, 320, 2), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, false},
      {"VgaThreeQuarterTurns", vgaProfile(320, 240, 3), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, false},
      {"Vga480x640", vgaProfile(480, 640), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, true},
      {"Vga854x480Turned", vgaProfile(854, 480, 1), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, false},
      {"SmartPhone", smartPhone, {}, {kGdiDriver, kVgaDriver}, kVgaDriver, true},
      {"OddSize", vgaProfile(175, 219), {}, {kGdiDriver, kVgaDriver}, kVgaDriver, true},
      {"GapiDram", gapiProfile(), dram, {kGdiDriver, kGapiDriver}, kGapiDriver, false},
      {"GapiNotDram", gapiProfile(), {}, {kGdiDriver, kGapiDriver}, kGapiDriver, true},
      {"DirectWithDma", directProfile(true), {}, {kGdiDriver, kDirectDriver}, kDirectDriver, false},
      {"DirectWithoutDma", directProfile(false), {}, {kGdiDriver, kDirectDriver}, kDirectDriver, true},
      // The LCD drivers draw into the frame GAPI found, at its address in the
      // process; without an earlier detection's frame they have none.
      {"StrongArmAfterGapi",
       withGapi(strongArmProfile()),
       {},
       {kGdiDriver, kGapiDriver, kStrongArmDriver},
       kStrongArmDriver,
       true},
      {"XScaleAfterGapi", withGapi(xscaleProfile()), {}, {kGdiDriver, kGapiDriver, kXScaleDriver}, kXScaleDriver, true},
      {"XScaleLcdAlone", xscaleProfile(), {}, {kGdiDriver, kXScaleDriver}, kGdiDriver, false},
      {"ImageonChip", *wce::devicePreset("Toshiba e740"), {}, {kGdiDriver, kImageonDriver}, kImageonDriver, true},
      {"StrongArmControllerOnXScale",
       lcdProfile(wce::LcdController::StrongArm, kXScaleProcessor),
       {},
       {kGdiDriver},
       kGdiDriver,
       false},
  };
}

class PathTest : public DisplayTest, public ::testing::WithParamInterface<PathCase> {};

// The picture presented through the library lands on the panel exactly as the
// same picture BitBlt through plain GDI at the screen's own orientation.
TEST_P(PathTest, PresentMatchesPlainGdi) {
  const PathCase& c = GetParam();
  useDevice(c.profile, c.gapi);
  ASSERT_TRUE(open(0));
  EXPECT_EQ(processVideoDetect(window_).drivers(), c.drivers);
  // The chosen driver is the one whose creation the log shows initialised.
  char created[32];
  std::snprintf(created, sizeof created, "CreateDriver( %08X )", c.chosen);
  const std::vector<std::string> lines = logLines();
  const auto verdict = std::find_if(std::find(lines.begin(), lines.end(), created), lines.end(), [](const auto& line) {
    return line == "Driver initialized!" || line == " Failed to initialize driver";
  });
  ASSERT_NE(verdict, lines.end()) << created;
  EXPECT_EQ(*verdict, "Driver initialized!") << created;
  EXPECT_EQ(display_->impl().hasShadowBuffer(), c.shadow);
  EXPECT_EQ(params_.swapEffect, 2);
  const wce::ScreenSize screen = wce::screenSize();
  EXPECT_EQ(params_.width, screen.width);
  EXPECT_EQ(params_.height, screen.height);
  presentPicture();
  const std::vector<std::uint16_t> presented = panel();
  wce::DeviceScreen::instance().fill(0);
  presentThroughGdi(window_, screen.width, screen.height, picturePixel);
  EXPECT_TRUE(presented == panel());
  EXPECT_EQ(display_->impl().dirtyRect(), (Rect{0, 0, screen.width, screen.height}));
}

INSTANTIATE_TEST_SUITE_P(Profiles, PathTest, ::testing::ValuesIn(pathCases()),
                         [](const ::testing::TestParamInfo<PathCase>& info) { return info.param.name; });

struct TurnCase {
  std::int32_t requested;
  const char* magickAngle;
  // The panel pixel (x, y) of a picture of width w and height h.
  std::function<std::uint16_t(int x, int y, int w, int h)> expected;
  friend void PrintTo(const TurnCase& c, std::ostream* os) { *os << c.requested; }
};

std::string run(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

// Decodes ImageMagick's binary PPM output.
std::vector<wce::Rgb888> readPpm(const std::string& data, int& width, int& height) {
  std::istringstream in(data);
  std::string magic;
  int maximum = 0;
  in >> magic >> width >> height >> maximum;
  in.get();
  std::vector<wce::Rgb888> pixels(static_cast<std::size_t>(width) * height);
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 3));
  return pixels;
}

struct TurnDevice {
  const char* name;
  wce::DeviceProfile profile;
};

class TurnTest : public DisplayTest, public ::testing::WithParamInterface<std::tuple<TurnDevice, TurnCase>> {};

// A requested orientation other than the screen's goes through the rotation
// driver; the panel shows the picture turned as ImageMagick turns it.
TEST_P(TurnTest, RotationDriverTurnsLikeImageMagick) {
  const TurnCase& c = std::get<1>(GetParam());
  useDevice(std::get<0>(GetParam()).profile);
  ASSERT_TRUE(open(c.requested));
  ASSERT_NE(dynamic_cast<RotationDriver*>(display_->impl().driver()), nullptr);
  const bool sideways = c.requested & 1;
  EXPECT_EQ(params_.width, sideways ? 320 : 240);
  EXPECT_EQ(params_.height, sideways ? 240 : 320);
  EXPECT_EQ(params_.orientation, c.requested);
  EXPECT_EQ(params_.swapEffect, 2);
  presentPicture();
  const std::vector<std::uint16_t> presented = panel();

  wce::DeviceScreen::instance().fill(0);
  const int w = params_.width;
  const int h = params_.height;
  presentThroughGdi(window_, 240, 320, [&](int x, int y) { return c.expected(x, y, w, h); });
  EXPECT_TRUE(presented == panel());

  std::vector<std::uint16_t> picture(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) picture[static_cast<std::size_t>(y) * w + x] = picturePixel(x, y);
  }
  const std::string png = (folder_ / "picture.png").string();
  ASSERT_EQ(wce::writeRgb565Png(png, picture.data(), w, h), "");
  int turnedWidth = 0;
  int turnedHeight = 0;
  const std::vector<wce::Rgb888> turned =
      readPpm(run("convert '" + png + "' -rotate " + c.magickAngle + " ppm:-"), turnedWidth, turnedHeight);
  ASSERT_EQ(turnedWidth, 240);
  ASSERT_EQ(turnedHeight, 320);
  for (std::size_t i = 0; i < presented.size(); ++i) {
    ASSERT_EQ(wce::widenRgb565(presented[i]), turned[i]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, TurnTest,
    ::testing::Combine(
        ::testing::Values(TurnDevice{"Vga", vgaProfile()}, TurnDevice{"StrongArm", withGapi(strongArmProfile())},
                          TurnDevice{"XScale", withGapi(xscaleProfile())},
                          TurnDevice{"Imageon", *wce::devicePreset("Toshiba e740")}),
        ::testing::Values(TurnCase{3, "90", [](int x, int y, int, int h) { return picturePixel(y, h - 1 - x); }},
                          TurnCase{
                              2, "180", [](int x, int y, int w, int h) { return picturePixel(w - 1 - x, h - 1 - y); }},
                          TurnCase{1, "270", [](int x, int y, int w, int) { return picturePixel(w - 1 - y, x); }})),
    [](const ::testing::TestParamInfo<std::tuple<TurnDevice, TurnCase>>& info) {
      return std::string(std::get<0>(info.param).name) + "To" + std::to_string(std::get<1>(info.param).requested);
    });

struct StoppedScanCase {
  const char* name;
  wce::DeviceProfile profile;
  const char* logged;
  friend void PrintTo(const StoppedScanCase& c, std::ostream* os) { *os << c.name; }
};

class StoppedScanTest : public DisplayTest, public ::testing::WithParamInterface<StoppedScanCase> {};

// A controller whose scan never reaches the copy window holds the present back
// only for a bounded time; the picture is copied all the same.
TEST_P(StoppedScanTest, PresentGoesOnAndLogs) {
  wce::DeviceProfile profile = GetParam().profile;
  profile.lcdScanning = false;
  useDevice(profile);
  ASSERT_TRUE(open(0));
  ASSERT_TRUE(display_->BeginScene());
  FrameBufferInfo* back = display_->GetBackBuffer();
  ASSERT_NE(back, nullptr);
  for (int y = 0; y < back->height; ++y) {
    for (int x = 0; x < back->width; ++x) rowOf(*back, y)[x] = picturePixel(x, y);
  }
  ASSERT_TRUE(display_->EndScene(1));
  EXPECT_TRUE(logHas(GetParam().logged));
  EXPECT_EQ(wce::DeviceScreen::instance().viewPixel(17, 301), picturePixel(17, 301));
}

// A scanning controller reaches the window within the wait. The clock steps
// 200 us a poll, well inside the window's 14 rows of a 60 Hz frame, so no
// present may run out of time.
TEST_P(StoppedScanTest, RunningScanReachesTheWindow) {
  useDevice(GetParam().profile);
  ASSERT_TRUE(open(0));
  LockstepClock clock(200);
  const wce::ScopedClockSource installed(clock);
  // The scan thread reads the clock until the display lets the controller go:
  // close it before the clock goes, also when an assertion ends the test.
  struct CloseFirst {
    std::unique_ptr<Display>& display;
    ~CloseFirst() { display.reset(); }
  } closeFirst{display_};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(display_->BeginScene());
    ASSERT_TRUE(display_->EndScene(1));
  }
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), GetParam().logged), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Controllers, StoppedScanTest,
    ::testing::Values(StoppedScanCase{"StrongArm",
                                      withGapi(strongArmProfile()),
                                      "StrongARM: LCD never reached the copy window, copying anyway"},
                      StoppedScanCase{"XScale",
                                      withGapi(xscaleProfile()),
                                      "XScale: LCD never reached the copy window, copying anyway"}),
    [](const ::testing::TestParamInfo<StoppedScanCase>& info) { return info.param.name; });

// The iPAQ H3800's controller frame is shown at its fixed uncached address; the
// driver finds the same bytes with bit 29 cleared and uses that address, with
// the frame turned a quarter.
TEST_F(DisplayTest, IpaqH3800UsesTheFixedFrameThroughItsAlias) {
  useDevice(*wce::devicePreset("Compaq iPAQ H3800"));
  const VideoDetect& detect = processVideoDetect(window_);
  ASSERT_EQ(detect.drivers(), (std::vector<std::uint32_t>{kGdiDriver, kStrongArmDriver}));
  std::unique_ptr<VideoDriver> driver = CreateDriver(kStrongArmDriver);
  ASSERT_TRUE(driver->Initialize(window_, DisplayParams{0, 0, 4, kSwapDiscard}, detect.mode()));
  EXPECT_EQ(driver->mode().orientation, 3u);
  EXPECT_EQ(driver->mode().frameBuffer, 0x8C050020u);
  EXPECT_TRUE(logHas("StrongARM: detecting framebuffer"));
  EXPECT_TRUE(logHas("StrongARM: found framebuffer"));
  driver->Lock()->pixels[0] = 0x1234;
  EXPECT_EQ(wce::DeviceScreen::instance().pixels()[0], 0x1234);
}

}  // namespace
}  // namespace tdlx::testing
