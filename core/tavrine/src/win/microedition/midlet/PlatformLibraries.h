#pragma once

#include "platform/system/Aygshell.h"
#include "platform/system/WinTypes.h"
#include "wireless/messaging/SmsLibrary.h"

namespace qel::midlet {

// The platform libraries the host looks up at start-up: "aygshell.dll" with
// SHFullScreen and SHSetImeMode, "sms.dll" with SmsGetSMSC. Each entry is
// null when its library or the entry is missing.
class PlatformLibraries {
public:
  PlatformLibraries() = delete;

  static void loadAygshell();
  // Also tells the framework's SMS properties (SmsLibrary) what it found.
  static void loadSms();
  // Clears every entry and frees both libraries.
  static void unload();

  static wce::SHFullScreenFunction shFullScreen();
  static wce::SHSetImeModeFunction shSetImeMode();
  static qel::messaging::SmsLibrary::SmscQuery smsGetSmsc();
};

}  // namespace qel::midlet
