#pragma once
// The system libraries the display object calls by name, each made on first
// use: "coredll.dll" (AllKeys, SetKMode, ChangeDisplaySettingsEx) and
// "aygshell.dll" (SHFullScreen). A missing entry is replaced by a stand-in with
// the answers of a device that lacks it.

#include <cstdint>

#include "display/device/LoadedLibrary.h"
#include "platform/gdi/DisplaySettings.h"

namespace tdlx {

class CoreLibrary {
public:
  // On the Motorola Q models the orientation fix is applied when it is made.
  static CoreLibrary& instance();

  void allKeys(bool all);
  bool setKernelMode(bool kernel);
  std::int32_t changeDisplaySettings(wce::DeviceMode* mode, wce::DWORD flags);
  // From here on a set of the orientation turns it one step further and a
  // query turns the answer one step back. Logged and applied once.
  void applyOrientationFix();

  CoreLibrary();

private:
  using AllKeysFunction = bool(bool);
  using SetKModeFunction = bool(bool);
  using ChangeDisplaySettingsFunction = std::int32_t(const char16_t*, wce::DeviceMode*, wce::HWND, wce::DWORD, void*);

  LoadedLibrary library_;
  AllKeysFunction* allKeys_;
  SetKModeFunction* setKMode_;
  ChangeDisplaySettingsFunction* changeDisplaySettings_;
  bool allKeysSetting_ = false;
  bool kernelMode_ = false;
  bool orientationFix_ = false;
};

class ShellLibrary {
public:
  static ShellLibrary& instance();

  // Without SHFullScreen, the "HHTaskBar" window is shown (bit 0) or hidden (bit 1).
  void fullScreen(wce::HWND window, wce::DWORD state);

  ShellLibrary();

private:
  using FullScreenFunction = bool(wce::HWND, wce::DWORD);

  LoadedLibrary library_;
  FullScreenFunction* fullScreen_;
};

// The display orientation 0..3 (DMDO_0, DMDO_90, DMDO_180, DMDO_270); 0 when
// it cannot be read.
int readSystemOrientation();
// Answers the system's result code.
std::int32_t setSystemOrientation(int quarterTurns);

}  // namespace tdlx
