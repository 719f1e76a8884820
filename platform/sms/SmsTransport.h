#pragma once
// The state of the emulated SMS transport: open sessions, the service centre,
// the last message id and the hook a test may put in front of each entry.

#include <filesystem>
#include <mutex>
#include <set>
#include <string>

#include "platform/sms/ResultHook.h"
#include "platform/sms/Sms.h"

namespace wce {

struct SmsSession {
  std::filesystem::path outbox;
};

enum class SmsCall { Open, SendMessage, Close, GetSMSC, Count };

struct SmsTransport {
  std::mutex guard;
  std::set<SmsSession*> sessions;
  std::u16string serviceCentre;
  SMS_MESSAGE_ID lastMessageId = 0;
  ResultHookSlot<SmsCall> resultHook{nullptr};
};

SmsTransport& smsTransport();

}  // namespace wce
