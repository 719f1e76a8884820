#include <gtest/gtest.h>

#include "platform/devices/CoreServices.h"
#include "platform/physical/LcdControllerEmulation.h"
#include "platform/physical/VirtualMemory.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/SharedPages.h"

namespace wce {
namespace {

DeviceProfile strongArmDevice() {
  DeviceProfile profile;
  profile.lcdController = LcdController::StrongArm;
  return profile;
}

// Physical pages show only in kernel mode, only inside a reservation, and a
// reservation is released once.
TEST(VirtualMemoryTest, CopyNeedsKernelModeAndAReservation) {
  ScopedDeviceProfile device(strongArmDevice());
  void* reserved = VirtualAlloc(nullptr, 100, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(reserved, nullptr);
  const std::uintptr_t registers = kStrongArmRegistersPhysical / 256;
  EXPECT_FALSE(VirtualCopy(reserved, registers, 100, PAGE_READWRITE | PAGE_PHYSICAL));
  SetKMode(true);
  EXPECT_FALSE(
      VirtualCopy(static_cast<char*>(reserved) + hostPageSize(), registers, 100, PAGE_READWRITE | PAGE_PHYSICAL));
  EXPECT_FALSE(VirtualCopy(reserved, kStrongArmRegistersPhysical, 100, PAGE_READWRITE));
  ASSERT_TRUE(VirtualCopy(reserved, registers, 100, PAGE_READWRITE | PAGE_PHYSICAL));
  SetKMode(false);
  EXPECT_EQ(static_cast<std::uint32_t*>(reserved)[0], 0x81u);
  EXPECT_TRUE(VirtualFree(reserved, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(reserved, 0, MEM_RELEASE));
  EXPECT_EQ(VirtualAlloc(nullptr, 100, MEM_RESERVE, PAGE_READWRITE), nullptr);
}

// While the registers are mapped, the StrongARM scan address runs over the
// frame's rows.
TEST(VirtualMemoryTest, ScanMovesWhileRegistersAreMapped) {
  ScopedDeviceProfile device(strongArmDevice());
  void* reserved = VirtualAlloc(nullptr, 44, MEM_RESERVE, PAGE_NOACCESS);
  SetKMode(true);
  ASSERT_TRUE(VirtualCopy(reserved, kStrongArmRegistersPhysical / 256, 44, PAGE_READWRITE | PAGE_PHYSICAL));
  SetKMode(false);
  const volatile std::uint32_t* current = static_cast<std::uint32_t*>(reserved) + kStrongArmCurrentAddress;
  const std::uint32_t first = *current;
  std::uint32_t seen = first;
  for (int i = 0; i < 2000 && seen == first; ++i) {
    std::this_thread::sleep_for(std::chrono::microseconds(500));
    seen = *current;
  }
  EXPECT_NE(seen, first);
  EXPECT_GE(seen, kFramePhysical + 32);
  EXPECT_LT(seen, kFramePhysical + 32 + 320 * 480);
  EXPECT_TRUE(VirtualFree(reserved, 0, MEM_RELEASE));
}

}  // namespace
}  // namespace wce
