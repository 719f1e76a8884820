#include "platform/physical/LcdControllerEmulation.h"

#include <chrono>
#include <memory>

#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Clock.h"

namespace wce {
namespace {

constexpr std::uint64_t kFrameMicros = 16667;
constexpr int kBlankRows = 20;
// The palette's first entry names the depth in bits 12-13: 2 is 16 bits.
constexpr std::uint16_t kPaletteSixteenBits = 2 << 12;

struct Key {
  LcdController kind;
  int width;
  int height;
  bool scanning;
  bool operator==(const Key&) const = default;
};

}  // namespace

std::shared_ptr<LcdControllerEmulation> LcdControllerEmulation::active() {
  static std::shared_ptr<LcdControllerEmulation> controller;
  static Key made{};
  const DeviceProfile& profile = deviceProfile();
  if (profile.lcdController == LcdController::None) {
    controller.reset();
    return nullptr;
  }
  DeviceScreen& screen = DeviceScreen::instance();
  const Key wanted{profile.lcdController, screen.nativeWidth(), screen.nativeHeight(), profile.lcdScanning};
  if (!controller || !(made == wanted)) {
    controller.reset();
    controller = std::make_shared<LcdControllerEmulation>(wanted.kind, wanted.width, wanted.height, wanted.scanning);
    made = wanted;
  }
  reinterpret_cast<std::uint16_t*>(screen.memory().data())[0] = kPaletteSixteenBits;
  return controller;
}

std::shared_ptr<void> LcdControllerEmulation::watch(std::shared_ptr<LcdControllerEmulation> controller) {
  controller->addWatcher();
  return std::shared_ptr<void>(controller.get(), [controller](void*) { controller->removeWatcher(); });
}

void LcdControllerEmulation::addWatcher() {
  std::lock_guard lock(watchGuard_);
  if (watchers_++ > 0 || !scanning_) return;
  stop_ = false;
  scanner_ = std::thread([this] { scan(); });
}

void LcdControllerEmulation::removeWatcher() {
  std::lock_guard lock(watchGuard_);
  if (--watchers_ > 0 || !scanner_.joinable()) return;
  stop_ = true;
  scanner_.join();
}

LcdControllerEmulation::LcdControllerEmulation(LcdController kind, int width, int height, bool scanning)
    : kind_(kind),
      width_(width),
      height_(height),
      scanning_(scanning),
      registers_(kind == LcdController::XScale ? kXScaleRegisterBytes : kStrongArmRegisterBytes) {
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  if (kind == LcdController::XScale) {
    word(0).store(1);
    word(1).store((w - 1) & 0x3FF);
    word(2).store((h - 1) & 0x3FF);
    word(3).store(4u << 24);
    word(kXScaleFrameSource).store(kFramePhysical + DeviceScreen::kPaletteBytes);
  } else {
    word(0).store(0x81);
    word(kStrongArmFrameBase).store(kFramePhysical);
    word(8).store((w - 16) & 0x3FF);
    word(9).store((h - 1) & 0x3FF);
  }
  showRow(0);
}

LcdControllerEmulation::~LcdControllerEmulation() {
  stop_ = true;
  if (scanner_.joinable()) scanner_.join();
}

std::uint32_t LcdControllerEmulation::registerBase() const {
  return kind_ == LcdController::XScale ? kXScaleRegistersPhysical : kStrongArmRegistersPhysical;
}

std::atomic_ref<std::uint32_t> LcdControllerEmulation::word(std::size_t index) const {
  return std::atomic_ref<std::uint32_t>(reinterpret_cast<std::uint32_t*>(registers_.data())[index]);
}

void LcdControllerEmulation::scan() {
  const int rows = height_ + kBlankRows;
  while (!stop_) {
    const std::uint64_t intoFrame = clockSource().monotonicMicros() % kFrameMicros;
    showRow(static_cast<int>(intoFrame * static_cast<std::uint64_t>(rows) / kFrameMicros));
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
}

void LcdControllerEmulation::showRow(int row) {
  const std::uint32_t pitch = static_cast<std::uint32_t>(width_) * 2;
  const bool blank = row >= height_;
  const std::uint32_t visibleRow = blank ? 0 : static_cast<std::uint32_t>(row);
  if (kind_ == LcdController::XScale) {
    word(kXScalePosition).store(visibleRow * pitch | (blank ? kXScaleBlanking : 0));
  } else {
    word(kStrongArmCurrentAddress).store(kFramePhysical + DeviceScreen::kPaletteBytes + visibleRow * pitch);
  }
}

}  // namespace wce
