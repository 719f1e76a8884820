#include "lang/HostHooks.h"

#include <utility>

#include "lang/DString.h"

namespace qel::lang {

namespace {

struct HookState {
  std::u16string commandLine;
  bool smsLoaded = false;
  HostHooks::SmscQuery getSmsc = nullptr;
  HostHooks::SetTimerHook setTimer;
  HostHooks::KillTimerHook killTimer;
  HostHooks::AppPropertyProvider appProperty;
};

HookState& state() {
  static HookState hooks;
  return hooks;
}

}  // namespace

void HostHooks::setCommandLine(std::u16string_view text) {
  state().commandLine = std::u16string(text.substr(0, CommandLineCapacity));
}

const std::u16string& HostHooks::commandLine() { return state().commandLine; }

void HostHooks::setSmsLibrary(bool loaded, SmscQuery getSmsc) {
  state().smsLoaded = loaded;
  state().getSmsc = getSmsc;
}

bool HostHooks::smsLibraryLoaded() { return state().smsLoaded; }

HostHooks::SmscQuery HostHooks::smscQuery() { return state().getSmsc; }

void HostHooks::setTimerHooks(SetTimerHook setTimer, KillTimerHook killTimer) {
  state().setTimer = std::move(setTimer);
  state().killTimer = std::move(killTimer);
}

bool HostHooks::setTimer(int32_t id, uint32_t intervalMs) {
  return state().setTimer && state().setTimer(id, intervalMs);
}

void HostHooks::killTimer(int32_t id) {
  if (state().killTimer) state().killTimer(id);
}

void HostHooks::setAppPropertyProvider(AppPropertyProvider provider) { state().appProperty = std::move(provider); }

DStringPtr HostHooks::getAppProperty(const DStringPtr& key) {
  return state().appProperty ? state().appProperty(key) : DStringPtr();
}

void HostHooks::reset() { state() = HookState{}; }

}  // namespace qel::lang
