#include <algorithm>

#include "DisplayFixture.h"
#include "tests/platform/imageon/probe/CoreLinkProbe.h"

namespace tdlx::testing {
namespace {

wce::DeviceProfile imageonProfile(int busyWaits) {
  wce::DeviceProfile profile = *wce::devicePreset("Toshiba e740");
  profile.imageonBusyWaits = busyWaits;
  return profile;
}

// Every detection that gets to the chip ends with its verdict, also on a
// device that is not one of the chip's models.
TEST_F(DisplayTest, ImageonDetectionAlwaysLogsItsVerdict) {
  struct Case {
    const char* name;
    wce::DeviceProfile profile;
    const char* verdict;
  };
  for (const Case& c : {Case{"other model", gdiOnlyProfile(), "Imageon100: Not an Imageon100"},
                        Case{"Toshiba e740", imageonProfile(0), "Imageon100: Detected"}}) {
    SCOPED_TRACE(c.name);
    useDevice(c.profile);
    ASSERT_TRUE(open(0));
    const std::vector<std::string> lines = logLines();
    const auto detect = std::find(lines.begin(), lines.end(), "Imageon100: Detect()");
    ASSERT_NE(detect, lines.end());
    EXPECT_NE(std::find(detect, lines.end(), c.verdict), lines.end());
    display_.reset();
  }
}

// A chip that stays busy costs the frame, within a bounded number of asks; a
// chip that is busy for a while is waited for.
TEST_F(DisplayTest, ImageonLockWaitsForTheChipBoundedly) {
  useDevice(imageonProfile(-1));
  ASSERT_TRUE(open(0));
  EXPECT_FALSE(display_->BeginScene());
  EXPECT_TRUE(logHas("Imageon100: chip still busy, frame skipped"));
  display_.reset();

  useDevice(imageonProfile(5));
  ASSERT_TRUE(open(0));
  presentPicture();
  EXPECT_EQ(wce::DeviceScreen::instance().viewPixel(239, 319), picturePixel(239, 319));
}

// Suspend ends the transfer and hides the overlay, resume shows it again; the
// display leaves the chip as it found it.
TEST_F(DisplayTest, ImageonOverlayFollowsSuspendAndIsReleased) {
  useDevice(imageonProfile(0));
  ASSERT_TRUE(open(0));
  EXPECT_TRUE(wce::testing::coreLinkState().overlayOn);
  ASSERT_NE(display_->impl().driver()->Lock(), nullptr);
  display_->impl().driver()->suspend();
  EXPECT_FALSE(wce::testing::coreLinkState().transferOpen);
  EXPECT_FALSE(wce::testing::coreLinkState().overlayOn);
  display_->impl().driver()->resume();
  EXPECT_TRUE(wce::testing::coreLinkState().overlayOn);
  display_.reset();
  const wce::testing::CoreLinkState left = wce::testing::coreLinkState();
  EXPECT_EQ(left.attached, 0);
  EXPECT_EQ(left.surfaces, 0);
  EXPECT_EQ(left.overlays, 0);
}

}  // namespace
}  // namespace tdlx::testing
