#pragma once
// Core-library calls of the handheld that only change or report device state:
// the hardware-key grab, the kernel-mode switch and the memory layout. A test
// may record each switch (CoreServicesState.h).

#include <cstdint>

#include "platform/system/WinTypes.h"

namespace wce {

// Whether the application receives every hardware key; answers the previous
// setting.
bool AllKeys(bool all);
// Switches kernel mode for the calling thread; answers the previous mode.
bool SetKMode(bool kernel);
// Whether kernel mode is on now.
bool inKernelMode();

struct SystemInfo {
  DWORD pageSize = 0;
  DWORD numberOfProcessors = 0;
  std::uintptr_t minimumApplicationAddress = 0;
  std::uintptr_t maximumApplicationAddress = 0;
};
// The page size of the emulated device is 4096.
void GetSystemInfo(SystemInfo* info);

// Adds AllKeys, SetKMode and GetSystemInfo to "coredll.dll" in the module table.
void registerCoreServiceEntries();

}  // namespace wce
