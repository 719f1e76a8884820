#pragma once
// The display orientation: queried and set through ChangeDisplaySettingsEx.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace wce {

inline constexpr DWORD DM_DISPLAYORIENTATION = 0x00800000;
inline constexpr DWORD DM_DISPLAYQUERYORIENTATION = 0x01000000;
inline constexpr DWORD DMDO_0 = 0;
inline constexpr DWORD DMDO_90 = 1;
inline constexpr DWORD DMDO_180 = 2;
inline constexpr DWORD DMDO_270 = 4;
inline constexpr DWORD CDS_TEST = 0x00000002;
inline constexpr DWORD CDS_RESET = 0x40000000;

inline constexpr std::int32_t DISP_CHANGE_SUCCESSFUL = 0;
inline constexpr std::int32_t DISP_CHANGE_FAILED = -1;
inline constexpr std::int32_t DISP_CHANGE_BADMODE = -2;
inline constexpr std::int32_t DISP_CHANGE_BADFLAGS = -4;
inline constexpr std::int32_t DISP_CHANGE_BADPARAM = -5;

struct DeviceMode {
  std::uint32_t size = sizeof(DeviceMode);
  DWORD fields = 0;
  DWORD displayOrientation = 0;
};

// CDS_TEST with DM_DISPLAYORIENTATION writes the current orientation (a DMDO
// value); with DM_DISPLAYQUERYORIENTATION the orientations the device can
// show. Flags 0 or CDS_RESET with DM_DISPLAYORIENTATION turn the screen and
// send WM_SETTINGCHANGE to every top-level window; a device that cannot
// rotate refuses (DISP_CHANGE_FAILED).
std::int32_t ChangeDisplaySettingsEx(const char16_t* device, DeviceMode* mode, HWND window, DWORD flags,
                                     void* parameter);

// Adds ChangeDisplaySettingsEx to "coredll.dll" in the module table.
void registerDisplaySettingsEntries();

}  // namespace wce
