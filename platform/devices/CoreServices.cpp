#include "platform/devices/CoreServices.h"

#include "platform/system/ModuleTable.h"

#include <mutex>

namespace wce {
namespace {

struct CoreState {
    std::mutex guard;
    bool allKeys = false;
    bool kernelMode = false;
    std::vector<bool> allKeysCalls;
    std::vector<bool> kModeCalls;
};

CoreState& state() {
    static CoreState instance;
    return instance;
}

}  // namespace

bool AllKeys(bool all) {
    CoreState& s = state();
    std::lock_guard lock(s.guard);
    s.allKeysCalls.push_back(all);
    const bool previous = s.allKeys;
    s.allKeys = all;
    return previous;
}

bool SetKMode(bool kernel) {
    CoreState& s = state();
    std::lock_guard lock(s.guard);
    s.kModeCalls.push_back(kernel);
    const bool previous = s.kernelMode;
    s.kernelMode = kernel;
    return previous;
}

bool inKernelMode() {
    std::lock_guard lock(state().guard);
    return state().kernelMode;
}

void GetSystemInfo(SystemInfo* info) {
    if (!info) return;
    info->pageSize = 4096;
    info->numberOfProcessors = 1;
    info->minimumApplicationAddress = 0x10000;
    info->maximumApplicationAddress = 0x7FFFFFFF;
}

std::vector<bool> recordedAllKeysCalls() {
    std::lock_guard lock(state().guard);
    return state().allKeysCalls;
}

std::vector<bool> recordedKModeCalls() {
    std::lock_guard lock(state().guard);
    return state().kModeCalls;
}

void clearRecordedCoreCalls() {
    std::lock_guard lock(state().guard);
    state().allKeysCalls.clear();
    state().kModeCalls.clear();
}

void registerCoreServiceEntries() {
    registerModuleEntry(u"coredll.dll", u"AllKeys", &AllKeys);
    registerModuleEntry(u"coredll.dll", u"SetKMode", &SetKMode);
    registerModuleEntry(u"coredll.dll", u"GetSystemInfo", &GetSystemInfo);
}

}  // namespace wce
