#pragma once
// The process's table of hooked windows, window thread only.

#include <array>

#include "display/api/DisplayBase.h"
#include "display/api/WindowHook.h"

namespace tdlx {

struct HookEntry {
  wce::HWND window = nullptr;
  wce::WNDPROC previous = nullptr;
  DisplayBase* display = nullptr;
};

struct HookTable {
  std::array<HookEntry, kMaxHookedWindows> entries;
  int count = 0;
  int systemOrientation = kAnyOrientation;
};

HookTable& hookTable();

}  // namespace tdlx
