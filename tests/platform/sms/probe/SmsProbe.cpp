#include "tests/platform/sms/probe/SmsProbe.h"

#include <cstddef>

#include "platform/sms/MessageFolderState.h"
#include "platform/testing/NextResults.h"

namespace wce {
namespace {

using SmsResults = NextResults<SmsCall, static_cast<std::size_t>(SmsCall::Count)>;

// Installed in the transport on first use and never destroyed, so that an
// entry called while the process ends still finds it.
SmsResults& nextSmsResults() {
  static SmsResults* const results = [] {
    auto* made = new SmsResults;
    smsTransport().resultHook.store(made);
    return made;
  }();
  return *results;
}

}  // namespace

void setNextSmsResult(SmsCall call, HRESULT result) { nextSmsResults().set(call, result); }

void clearNextSmsResults() { nextSmsResults().clear(); }

int openSmsHandles() {
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  return static_cast<int>(state.sessions.size());
}

void clearMessageUserFolder() {
  MessageFolderState& state = messageFolderState();
  std::lock_guard lock(state.guard);
  state.userFolder.reset();
}

}  // namespace wce
