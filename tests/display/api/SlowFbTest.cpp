#include "DisplayFixture.h"
#include "display/detect/DriverChoice.h"
#include "display/drivers/SlowFB.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"

namespace tdlx::testing {
namespace {

wce::DeviceProfile mediaQProfile(int width = 240, int height = 320) {
  wce::DeviceProfile profile = gapiProfile();
  profile.screenWidth = width;
  profile.screenHeight = height;
  profile.mediaQ = true;
  return profile;
}

// Each read of the clock moves it on by a fixed step, so the byte-wise clear
// of detection takes exactly one step.
class SlowFbTest : public DisplayTest {
protected:
  void openTimed(std::uint64_t clearMillis, std::int32_t swapEffect = kSwapDiscard) {
    clock_.setAutoAdvance(clearMillis);
    processVideoDetect(window_);
    clock_.setAutoAdvance(0);
    opened_ = open(0, swapEffect);
  }

  wce::ManualClock clock_{1000};
  wce::ScopedClockSource useClock_{clock_};
  bool opened_ = false;
};

struct DetectCase {
  const char* name;
  wce::DeviceProfile profile;
  std::uint64_t clearMillis;
  std::vector<std::uint32_t> drivers;
  const char* logged;
  friend void PrintTo(const DetectCase& c, std::ostream* os) { *os << c.name; }
};

class MediaQDetectTest : public SlowFbTest, public ::testing::WithParamInterface<DetectCase> {};

TEST_P(MediaQDetectTest, FindsTheChipByPlaceSizeAndSpeed) {
  const DetectCase& c = GetParam();
  useDevice(c.profile);
  openTimed(c.clearMillis);
  EXPECT_EQ(processVideoDetect(window_).drivers(), c.drivers);
  EXPECT_TRUE(logHas(c.logged));
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, MediaQDetectTest,
    ::testing::Values(
        DetectCase{"ClearIn13ms", mediaQProfile(), 13, {kGdiDriver, kGapiDriver}, "MediaQ: not a MediaQ [3]"},
        // A timer that never ticks: the wait for the tick gives up and the clear takes no time.
        DetectCase{"StoppedClock", mediaQProfile(), 0, {kGdiDriver, kGapiDriver}, "MediaQ: not a MediaQ [3]"},
        DetectCase{
            "ClearIn14ms", mediaQProfile(), 14, {kGdiDriver, kGapiDriver, kSlowFbDriver}, "MediaQ: benchmarked 14 ms"},
        DetectCase{"OutsideChipWindow", gapiProfile(), 14, {kGdiDriver, kGapiDriver}, "MediaQ: not a MediaQ [1]"},
        DetectCase{
            "FrameTooLarge", mediaQProfile(480, 640), 14, {kGdiDriver, kGapiDriver}, "MediaQ: not a MediaQ [2]"}),
    [](const ::testing::TestParamInfo<DetectCase>& info) { return info.param.name; });

// Through SlowFB the panel shows what plain GDI shows; drawn straight into the
// system buffers, kind 1 or, for swap effect 2, kind 2.
TEST_F(SlowFbTest, PresentMatchesPlainGdi) {
  for (const std::int32_t swap : {kSwapDiscard, 2}) {
    useDevice(mediaQProfile());
    openTimed(14, swap);
    ASSERT_TRUE(opened_);
    EXPECT_TRUE(logHas("SlowFB: Initialize()"));
    EXPECT_FALSE(display_->impl().hasShadowBuffer());
    EXPECT_EQ(params_.swapEffect, swap == 2 ? 2 : 1);
    presentPicture();
    const std::vector<std::uint16_t> presented = panel();
    wce::DeviceScreen::instance().fill(0);
    presentThroughGdi(window_, 240, 320, picturePixel);
    EXPECT_TRUE(presented == panel());
    display_.reset();
  }
}

struct CopyCase {
  const char* name;
  std::uint32_t flags;
  void (*before)(VideoDriver&);
  // Whether a panel word the frame did not change is written again.
  bool copiesAll;
  friend void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }
};

class SlowFbCopyTest : public SlowFbTest, public ::testing::WithParamInterface<CopyCase> {};

// After the first frame only changed words reach the chip, unless the frame
// asks for a full copy or the display was resumed, suspended or repainted.
TEST_P(SlowFbCopyTest, WritesChangedWordsOrEverything) {
  const CopyCase& c = GetParam();
  useDevice(mediaQProfile());
  openTimed(14, 2);
  ASSERT_TRUE(opened_);
  presentPicture();
  wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  screen.setViewPixel(5, 5, 0xFFFF);
  c.before(*display_->impl().driver());
  ASSERT_TRUE(display_->BeginScene());
  rowOf(*display_->GetBackBuffer(), 200)[101] = 0x1234;
  ASSERT_TRUE(display_->EndScene(c.flags));
  EXPECT_EQ(screen.viewPixel(101, 200), 0x1234);
  EXPECT_EQ(screen.viewPixel(5, 5), c.copiesAll ? picturePixel(5, 5) : 0xFFFF);
  EXPECT_EQ(screen.viewPixel(239, 319), picturePixel(239, 319));
}

INSTANTIATE_TEST_SUITE_P(Frames, SlowFbCopyTest,
                         ::testing::Values(CopyCase{"ChangedWords", 0, [](VideoDriver&) {}, false},
                                           CopyCase{"FlagBit1", 2, [](VideoDriver&) {}, true},
                                           CopyCase{"AfterResume", 0, [](VideoDriver& d) { d.resume(); }, true},
                                           CopyCase{"AfterSuspend", 0, [](VideoDriver& d) { d.suspend(); }, true},
                                           CopyCase{"AfterRepaint", 0, [](VideoDriver& d) { d.repaint(); }, true}),
                         [](const ::testing::TestParamInfo<CopyCase>& info) { return info.param.name; });

// Only the dirty rows reach the chip: a change outside them stays in the
// system buffer.
TEST_F(SlowFbTest, DirtyRowsLimitTheChangedWordCopy) {
  useDevice(mediaQProfile(200, 320));
  clock_.setAutoAdvance(14);
  const ModeRecord detected = processVideoDetect(window_).mode();
  clock_.setAutoAdvance(0);
  SlowFB driver(std::make_unique<MediaQ>());
  ASSERT_TRUE(driver.Initialize(window_, DisplayParams{0, 0, 0, 2}, detected));
  ASSERT_NE(driver.Lock(), nullptr);
  driver.Unlock(0);
  FrameBufferInfo* frame = driver.Lock();
  rowOf(*frame, 11)[7] = 0x1111;
  rowOf(*frame, 100)[7] = 0x2222;
  // Rows 11 to 13 are 1200 bytes, no whole number of blocks: widened to rows 10 to 13.
  driver.SetDirtyRect(Rect{0, 11, 200, 14});
  driver.Unlock(0);
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  EXPECT_EQ(screen.viewPixel(7, 11), 0x1111);
  EXPECT_EQ(screen.viewPixel(7, 100), 0);
}

}  // namespace
}  // namespace tdlx::testing
