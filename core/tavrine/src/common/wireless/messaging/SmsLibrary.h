#pragma once

#include <cstdint>

namespace qel::messaging {

// The SMS library's service-centre record: an address type, then the
// address text with its terminator.
struct SmsAddress {
  uint32_t addressType = 0;
  char16_t address[256] = {};
};

// What the start-up found of "sms.dll": whether it loaded, and its
// SmsGetSMSC entry (null when absent). Not loaded until it is set.
class SmsLibrary {
public:
  // SmsGetSMSC: a negative result is a failure.
  using SmscQuery = int32_t (*)(SmsAddress* address);

  SmsLibrary() = delete;

  static void set(bool loaded, SmscQuery getSmsc);
  static bool loaded();
  static SmscQuery smscQuery();
};

}  // namespace qel::messaging
