#include "DisplayFixture.h"
#include "display/device/PhysicalMemory.h"
#include "tests/platform/devices/probe/CoreServicesProbe.h"

namespace tdlx::testing {
namespace {

struct MapCase {
  const char* name;
  wce::DeviceProfile profile;
  std::uint64_t address;
  // The first word the view shows; no value: the mapping must fail.
  std::optional<std::uint32_t> firstWord;
  friend void PrintTo(const MapCase& c, std::ostream* os) { *os << c.name; }
};

class MapPhysicalTest : public DisplayTest, public ::testing::WithParamInterface<MapCase> {};

// Every mapping runs in kernel mode and restores it, whether it succeeds or not.
TEST_P(MapPhysicalTest, MapsInKernelMode) {
  const MapCase& c = GetParam();
  useDevice(c.profile);
  void* view = mapPhysical(c.address, 8, false);
  EXPECT_EQ(wce::recordedKModeCalls(), (std::vector<bool>{true, false}));
  ASSERT_EQ(view != nullptr, c.firstWord.has_value());
  if (!view) return;
  EXPECT_EQ(*static_cast<std::uint32_t*>(view), *c.firstWord);
  unmapPhysical(view);
  EXPECT_EQ(wce::recordedKModeCalls(), (std::vector<bool>{true, false, true, false}));
}

INSTANTIATE_TEST_SUITE_P(Addresses, MapPhysicalTest,
                         ::testing::Values(MapCase{"XScaleWidthUnaligned", xscaleProfile(), 0x44000004, 239},
                                           MapCase{"StrongArmDmaBase", strongArmProfile(), 0xB0100010, 0xAC050000},
                                           MapCase{"PaletteThroughAlias", strongArmProfile(), 0x8C050000, 0x2000},
                                           MapCase{"NothingThere", strongArmProfile(), 0x50000000, std::nullopt},
                                           MapCase{"OtherController", strongArmProfile(), 0x44000000, std::nullopt},
                                           MapCase{"NoController", gdiOnlyProfile(), 0xB0100000, std::nullopt}),
                         [](const ::testing::TestParamInfo<MapCase>& info) { return info.param.name; });

// The frame shows at both addresses that differ in bit 29, and is the panel.
TEST_F(DisplayTest, FrameAliasesShowThePanel) {
  useDevice(xscaleProfile());
  const PhysicalMapping cached(0xAC050020, 240 * 320 * 2, true);
  const PhysicalMapping uncached(0x8C050020, 240 * 320 * 2, false);
  ASSERT_TRUE(cached && uncached);
  static_cast<std::uint16_t*>(cached.view())[240 * 320 - 1] = 0xBEEF;
  EXPECT_EQ(static_cast<std::uint16_t*>(uncached.view())[240 * 320 - 1], 0xBEEF);
  EXPECT_EQ(wce::DeviceScreen::instance().viewPixel(239, 319), 0xBEEF);
  EXPECT_FALSE(PhysicalMapping(0x8C050020, 240 * 320 * 2 + 4096, false));
}

}  // namespace
}  // namespace tdlx::testing
