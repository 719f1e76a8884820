#pragma once
// Reads a device profile from a text file of "key = value" lines (UTF-8, LF or
// CR LF, '#' starts a comment line, blank lines are skipped). Lines apply in
// order, each changing one field of the default profile:
//
//   preset = VGA                  start again from a named preset (see devicePreset)
//   platform = SmartPhone         platform type text
//   oem = HTC KOVS100             OEM information text
//   os = 5.2                      major.minor, or major.minor.build
//   screen = 480x640              width x height as the system shows it
//   orientation = 90              0, 90, 180 or 270 degrees
//   dpi = 192                     LOGPIXELSY; "auto" picks it from the screen size
//   touch = yes                   pointing device present (yes/no, true/false, 1/0)
//   rotatable = no                ChangeDisplaySettingsEx answers orientations
//   escape.rawframebuffer = yes   the GETRAWFRAMEBUFFER display escape
//   escape.gxinfo = no            the GETGXINFO display escape
//   processor = 0x69052100        the processor's main ID (decimal or 0x hex)
//   modules = aygshell.dll sms.dll   the built-in libraries present (blanks or commas)
//
// Unknown keys, lines without '=' and bad values are errors naming the line.

#include <optional>
#include <string>
#include <string_view>

#include "platform/system/DeviceProfile.h"

namespace wce {

struct DeviceProfileResult {
  std::optional<DeviceProfile> profile;
  std::string error;  // empty on success
};

DeviceProfileResult parseDeviceProfile(std::string_view text);
DeviceProfileResult loadDeviceProfile(const std::string& path);

}  // namespace wce
