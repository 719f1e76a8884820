#pragma once
// Where a test sees the shell and phone requests made (CallRecorder.h).

#include <string>

#include "platform/system/CallRecorder.h"
#include "platform/system/WinTypes.h"

namespace wce {

struct ShellRequest {
  std::u16string file;
  DWORD mask;
  int show;
  bool operator==(const ShellRequest&) const = default;
};

struct ShellRecords {
  RecorderSlot<ShellRequest> requests{nullptr};
  RecorderSlot<std::u16string> calls{nullptr};
};

ShellRecords& shellRecords();

}  // namespace wce
