#pragma once
// What the emulated handheld is: platform type, OEM text, OS version, screen,
// input and which built-in libraries and display escapes it has.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wce {

// The LCD controller of the device's processor, reached through physical memory.
enum class LcdController { None, StrongArm, XScale };

struct DeviceProfile {
  std::u16string platformType = u"PocketPC";
  // Matches none of the device rules of the host and the display library.
  std::u16string oemInfo = u"Nightvault Emulator";
  std::uint32_t osMajor = 5;
  std::uint32_t osMinor = 2;
  std::uint32_t osBuild = 0;
  // The screen as the system shows it at `orientation`.
  int screenWidth = 240;
  int screenHeight = 320;
  // Quarter turns clockwise, 0..3.
  int orientation = 0;
  // 0: 96 below 480 pixels, 192 at or above.
  int dpi = 0;
  bool touchScreen = true;
  // Whether ChangeDisplaySettingsEx can query and set the orientation.
  bool rotatable = true;
  bool rawFrameBufferEscape = true;
  bool gxInfoEscape = false;
  // The processor's main ID register; 0 names no particular core.
  std::uint32_t processorId = 0;
  // Switched on, driving the panel at 16 bits per pixel.
  LcdController lcdController = LcdController::None;
  // Whether the controller's scan position moves; a stopped one never
  // reaches the rows a driver waits for.
  bool lcdScanning = true;
  // The panel is a MediaQ chip's frame: it lies 0x42000 bytes into the
  // chip's 512 KB memory window.
  bool mediaQ = false;
  // AtiCore_WaitComplete of the Imageon chip library answers busy this many
  // times before each idle answer; below 0 the chip never becomes idle.
  int imageonBusyWaits = 0;
  // Built-in libraries the device has, by file name.
  std::vector<std::string> modules{"aygshell.dll"};

  int logPixelsY() const;
  // Compared without regard to ASCII case.
  bool hasModule(std::u16string_view name) const;
};

// The presets: "PocketPC" (the default), "SmartPhone", "VGA", "Rotated", and
// one per device model that the host and display library recognise, named by
// its OEM text ("MotoQ", "SAMSUNG SCH-i760", "Toshiba e740", ...).
std::optional<DeviceProfile> devicePreset(std::string_view name);
std::vector<std::string> devicePresetNames();

}  // namespace wce
