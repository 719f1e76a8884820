#pragma once
// The switches of the core library, and where a test sees the calls that set
// them (CallRecorder.h).

#include <mutex>

#include "platform/system/CallRecorder.h"

namespace wce {

struct CoreServicesState {
  std::mutex guard;
  bool allKeys = false;
  bool kernelMode = false;
  RecorderSlot<bool> allKeysCalls{nullptr};
  RecorderSlot<bool> kModeCalls{nullptr};
};

CoreServicesState& coreServicesState();

}  // namespace wce
