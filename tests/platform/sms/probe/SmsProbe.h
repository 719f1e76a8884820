#pragma once
// What a test sets and sees of the emulated SMS transport and its folders.

#include "platform/sms/HResult.h"
#include "platform/sms/SmsTransport.h"

namespace wce {

// The next call of that entry answers result and does nothing else.
void setNextSmsResult(SmsCall call, HRESULT result);
void clearNextSmsResults();
// Handles opened and not yet closed.
int openSmsHandles();
// Forgets the message user folder again.
void clearMessageUserFolder();

}  // namespace wce
