#pragma once
// The "aygshell.dll" calls made so far, in order.

#include "platform/system/CallLog.h"
#include "platform/system/WinTypes.h"

namespace wce {

struct ShellCall {
  HWND window;
  DWORD argument;
  bool operator==(const ShellCall&) const = default;
};

struct AygshellCalls {
  CallLog<ShellCall> fullScreen;
  CallLog<ShellCall> imeMode;
};

AygshellCalls& aygshellCalls();

}  // namespace wce
