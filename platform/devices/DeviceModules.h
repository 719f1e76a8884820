#pragma once

namespace wce {

// Registers the built-in libraries of the display path in the module table:
// the "coredll.dll" entries (AllKeys, SetKMode, GetSystemInfo,
// ChangeDisplaySettingsEx), "gx.dll", "gxdma.dll" and "CoreLinkLib.dll". Called once at start,
// before the first LoadLibraryW; each library is still present only when the
// device profile lists it.
void registerDeviceModules();

}  // namespace wce
