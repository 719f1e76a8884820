#pragma once
// The shell and phone requests made so far.

#include <string>

#include "platform/system/CallLog.h"
#include "platform/system/WinTypes.h"

namespace wce {

struct ShellRequest {
  std::u16string file;
  DWORD mask;
  int show;
  bool operator==(const ShellRequest&) const = default;
};

struct ShellRecords {
  CallLog<ShellRequest> requests;
  CallLog<std::u16string> calls;
};

ShellRecords& shellRecords();

}  // namespace wce
