#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "lang/DString.ptr.h"

namespace qel::lang {

// The SMS library's service-centre record: an address type, then the
// address text with its terminator.
struct SmsAddress {
  uint32_t addressType = 0;
  char16_t address[256] = {};
};

// What the framework reads from the application host. The host fills it at
// start-up; until then (and in tests) each hook has a harmless default:
// an empty command line, no SMS library, no window to run timers on, and no
// application properties.
class HostHooks {
public:
  static constexpr int32_t CommandLineCapacity = 1023;  // units, without the terminator

  // SmsGetSMSC: a negative result is a failure.
  using SmscQuery = int32_t (*)(SmsAddress* address);
  // Starts or restarts the platform timer id on the host window; false on failure.
  using SetTimerHook = std::function<bool(int32_t id, uint32_t intervalMs)>;
  using KillTimerHook = std::function<void(int32_t id)>;
  // The running application's property, or null.
  using AppPropertyProvider = std::function<DStringPtr(const DStringPtr& key)>;

  HostHooks() = delete;

  // Keeps at most CommandLineCapacity units.
  static void setCommandLine(std::u16string_view text);
  static const std::u16string& commandLine();

  // Whether "sms.dll" loaded, and its SmsGetSMSC entry (null when absent).
  static void setSmsLibrary(bool loaded, SmscQuery getSmsc);
  static bool smsLibraryLoaded();
  static SmscQuery smscQuery();

  // Null hooks: no window, so every timer start fails and kills do nothing.
  static void setTimerHooks(SetTimerHook setTimer, KillTimerHook killTimer);
  static bool setTimer(int32_t id, uint32_t intervalMs);
  static void killTimer(int32_t id);

  static void setAppPropertyProvider(AppPropertyProvider provider);
  static DStringPtr getAppProperty(const DStringPtr& key);

  // Every hook back to its default.
  static void reset();
};

}  // namespace qel::lang
