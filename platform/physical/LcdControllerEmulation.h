#pragma once
// The LCD controller of the active device profile: its registers in physical
// memory, filled from the panel's shape, and a scan thread that moves the
// position the controller reads the panel at, one frame per 1/60 s of the
// device clock. The panel itself (DeviceScreen) is the frame the controller
// scans, with its palette in front: at kFramePhysical and, bit 29 cleared, at
// kFrameAliasPhysical.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/system/DeviceProfile.h"
#include "platform/system/SharedPages.h"

namespace wce {

inline constexpr std::uint32_t kFramePhysical = 0xAC050000;
inline constexpr std::uint32_t kFrameAliasPhysical = kFramePhysical & ~0x20000000u;
inline constexpr std::uint32_t kXScaleRegistersPhysical = 0x44000000;
inline constexpr std::uint32_t kXScaleRegisterBytes = 544;
inline constexpr std::uint32_t kStrongArmRegistersPhysical = 0xB0100000;
inline constexpr std::uint32_t kStrongArmRegisterBytes = 44;

// Word indices of the registers the emulation drives.
inline constexpr std::size_t kStrongArmFrameBase = 4;
inline constexpr std::size_t kStrongArmCurrentAddress = 5;
inline constexpr std::size_t kXScaleFrameSource = 0x204 / 4;
inline constexpr std::size_t kXScalePosition = 0x208 / 4;
// Set in the XScale position register while the scan is in the blank rows.
inline constexpr std::uint32_t kXScaleBlanking = 1u << 26;

class LcdControllerEmulation {
public:
  // The controller of the active profile, made again when the profile or
  // its panel changed; null when the profile has none.
  static std::shared_ptr<LcdControllerEmulation> active();

  LcdControllerEmulation(LcdController kind, int width, int height, bool scanning);
  ~LcdControllerEmulation();
  LcdControllerEmulation(const LcdControllerEmulation&) = delete;
  LcdControllerEmulation& operator=(const LcdControllerEmulation&) = delete;

  LcdController kind() const { return kind_; }
  std::uint32_t registerBase() const;
  const SharedPages& registers() const { return registers_; }
  // Keeps the scan moving while the answer lives.
  static std::shared_ptr<void> watch(std::shared_ptr<LcdControllerEmulation> controller);

private:
  std::atomic_ref<std::uint32_t> word(std::size_t index) const;
  void scan();
  void showRow(int row);
  void addWatcher();
  void removeWatcher();

  LcdController kind_;
  int width_;
  int height_;
  bool scanning_;
  SharedPages registers_;
  std::mutex watchGuard_;
  int watchers_ = 0;
  std::atomic<bool> stop_{false};
  std::thread scanner_;
};

}  // namespace wce
