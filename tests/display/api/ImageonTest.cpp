#include "DisplayFixture.h"
#include "tests/platform/imageon/probe/CoreLinkProbe.h"

namespace tdlx::testing {
namespace {

wce::DeviceProfile imageonProfile(int busyWaits) {
  wce::DeviceProfile profile = *wce::devicePreset("Toshiba e740");
  profile.imageonBusyWaits = busyWaits;
  return profile;
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
