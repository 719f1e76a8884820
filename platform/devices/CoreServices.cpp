#include "platform/devices/CoreServices.h"

#include "platform/devices/CoreServicesState.h"
#include "platform/system/ModuleTable.h"

namespace wce {

// Never destroyed, so AllKeys stays callable from other statics' destructors at exit.
CoreServicesState& coreServicesState() {
  static auto* instance = new CoreServicesState;
  return *instance;
}

bool AllKeys(bool all) {
  CoreServicesState& s = coreServicesState();
  std::lock_guard lock(s.guard);
  recordCall(s.allKeysCalls, all);
  const bool previous = s.allKeys;
  s.allKeys = all;
  return previous;
}

bool SetKMode(bool kernel) {
  CoreServicesState& s = coreServicesState();
  std::lock_guard lock(s.guard);
  recordCall(s.kModeCalls, kernel);
  const bool previous = s.kernelMode;
  s.kernelMode = kernel;
  return previous;
}

bool inKernelMode() {
  std::lock_guard lock(coreServicesState().guard);
  return coreServicesState().kernelMode;
}

void GetSystemInfo(SystemInfo* info) {
  if (!info) return;
  info->pageSize = 4096;
  info->numberOfProcessors = 1;
  info->minimumApplicationAddress = 0x10000;
  info->maximumApplicationAddress = 0x7FFFFFFF;
}

void registerCoreServiceEntries() {
  registerModuleEntry(u"coredll.dll", u"AllKeys", &AllKeys);
  registerModuleEntry(u"coredll.dll", u"SetKMode", &SetKMode);
  registerModuleEntry(u"coredll.dll", u"GetSystemInfo", &GetSystemInfo);
}

}  // namespace wce
