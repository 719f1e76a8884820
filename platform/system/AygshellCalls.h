#pragma once
// Where a test sees the "aygshell.dll" calls made (CallRecorder.h).

#include "platform/system/CallRecorder.h"
#include "platform/system/WinTypes.h"

namespace wce {

struct ShellCall {
  HWND window;
  DWORD argument;
  bool operator==(const ShellCall&) const = default;
};

struct AygshellCalls {
  RecorderSlot<ShellCall> fullScreen{nullptr};
  RecorderSlot<ShellCall> imeMode{nullptr};
};

AygshellCalls& aygshellCalls();

}  // namespace wce
