#pragma once
// The switches of the core library and every call that set them, in order.

#include <mutex>

#include "platform/system/CallLog.h"

namespace wce {

struct CoreServicesState {
  std::mutex guard;
  bool allKeys = false;
  bool kernelMode = false;
  CallLog<bool> allKeysCalls;
  CallLog<bool> kModeCalls;
};

CoreServicesState& coreServicesState();

}  // namespace wce
