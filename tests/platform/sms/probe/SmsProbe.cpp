#include "tests/platform/sms/probe/SmsProbe.h"

#include "platform/sms/MessageFolderState.h"

namespace wce {

void setNextSmsResult(SmsCall call, HRESULT result) { smsTransport().nextResults.set(call, result); }

void clearNextSmsResults() { smsTransport().nextResults.clear(); }

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
