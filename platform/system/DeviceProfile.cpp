#include "platform/system/DeviceProfile.h"

#include <algorithm>
#include <array>

#include "platform/system/AsciiCase.h"

namespace wce {
namespace {

constexpr std::uint32_t kStrongArmId = 0x6901B119;
constexpr std::uint32_t kXScaleId = 0x69052100;

struct Preset {
  const char* name;
  const char16_t* platform;
  const char16_t* oem;
  std::uint32_t major;
  std::uint32_t minor;
  int width;
  int height;
  int orientation;
  std::uint32_t processor;
  LcdController lcd = LcdController::None;
};

const char16_t* const kPocketPC = u"PocketPC";
const char16_t* const kSmartPhone = u"SmartPhone";

const std::array kPresets{
    Preset{"PocketPC", kPocketPC, nullptr, 5, 2, 240, 320, 0, 0},
    Preset{"SmartPhone", kSmartPhone, nullptr, 5, 2, 176, 220, 0, 0},
    Preset{"VGA", kPocketPC, nullptr, 5, 2, 480, 640, 0, 0},
    Preset{"Rotated", kPocketPC, nullptr, 5, 2, 320, 240, 1, 0},
    Preset{"Handheld Reference Board", kPocketPC, u"Handheld Reference Board", 5, 2, 240, 320, 0, 0},
    Preset{"KOVS100", kPocketPC, u"KOVS100", 5, 2, 240, 320, 0, 0},
    Preset{"Palm Treo 700w", kPocketPC, u"Palm Treo 700w", 5, 1, 240, 240, 0, kXScaleId},
    Preset{"MotoQ", kSmartPhone, u"MotoQ", 5, 1, 320, 240, 0, 0},
    Preset{"MotoQ9c", kSmartPhone, u"MotoQ9c", 5, 2, 320, 240, 0, 0},
    Preset{"HERM100", kPocketPC, u"HERM100", 5, 1, 240, 320, 0, 0},
    Preset{"O2Zinc", kPocketPC, u"O2Zinc", 5, 1, 240, 320, 0, 0},
    Preset{"O2 Xda Zinc", kPocketPC, u"O2 Xda Zinc", 5, 1, 240, 320, 0, 0},
    Preset{"SAMSUNG SCH-i760", kPocketPC, u"SAMSUNG SCH-i760", 5, 2, 240, 320, 0, 0},
    Preset{"Pocket LOOX", kPocketPC, u"Pocket LOOX", 5, 1, 240, 320, 0, kXScaleId},
    Preset{"HP IPAQ H6340", kPocketPC, u"HP IPAQ H6340", 4, 21, 240, 320, 0, 0},
    Preset{"HP IPAQ HW6515", kPocketPC, u"HP IPAQ HW6515", 5, 1, 240, 240, 0, kXScaleId},
    Preset{"HTC S710", kSmartPhone, u"HTC S710", 5, 2, 320, 240, 0, 0},
    Preset{"Compaq iPAQ H3800",
           kPocketPC,
           u"Compaq iPAQ H3800",
           3,
           0,
           240,
           320,
           0,
           kStrongArmId,
           LcdController::StrongArm},
    Preset{"Compale P6C", kPocketPC, u"Compale P6C", 3, 0, 240, 320, 0, kStrongArmId},
    Preset{"Typhoon", kSmartPhone, u"Typhoon", 4, 21, 176, 220, 0, 0},
    Preset{"Toshiba e310", kPocketPC, u"Toshiba e310", 3, 0, 240, 320, 0, 0},
    Preset{"Toshiba e330", kPocketPC, u"Toshiba e330", 4, 20, 240, 320, 0, kXScaleId, LcdController::XScale},
    Preset{"Toshiba e740", kPocketPC, u"Toshiba e740", 3, 0, 240, 320, 0, kXScaleId},
    Preset{"Toshiba e750", kPocketPC, u"Toshiba e750", 4, 20, 240, 320, 0, kXScaleId},
    Preset{"HTC VOYAGER", kSmartPhone, u"HTC VOYAGER", 3, 0, 176, 220, 0, 0},
};

DeviceProfile fromPreset(const Preset& preset) {
  DeviceProfile profile;
  profile.platformType = preset.platform;
  if (preset.oem) profile.oemInfo = preset.oem;
  profile.osMajor = preset.major;
  profile.osMinor = preset.minor;
  profile.screenWidth = preset.width;
  profile.screenHeight = preset.height;
  profile.orientation = preset.orientation;
  profile.processorId = preset.processor;
  profile.lcdController = preset.lcd;
  if (preset.name == std::string_view("Toshiba e740") || preset.name == std::string_view("Toshiba e750")) {
    profile.modules.emplace_back("CoreLinkLib.dll");
    profile.rawFrameBufferEscape = false;
  }
  // Those devices reach their panel through the controller alone.
  if (preset.lcd != LcdController::None) profile.rawFrameBufferEscape = false;
  profile.touchScreen = profile.platformType != kSmartPhone;
  return profile;
}

}  // namespace

int DeviceProfile::logPixelsY() const {
  if (dpi > 0) return dpi;
  return std::max(screenWidth, screenHeight) >= 480 ? 192 : 96;
}

bool DeviceProfile::hasModule(std::u16string_view name) const {
  return std::any_of(modules.begin(), modules.end(), [name](const std::string& module) {
    return equalsIgnoringAsciiCase(name, module);
  });
}

std::optional<DeviceProfile> devicePreset(std::string_view name) {
  for (const Preset& preset : kPresets) {
    if (name == preset.name) return fromPreset(preset);
  }
  return std::nullopt;
}

std::vector<std::string> devicePresetNames() {
  std::vector<std::string> names;
  for (const Preset& preset : kPresets) names.emplace_back(preset.name);
  return names;
}

}  // namespace wce
