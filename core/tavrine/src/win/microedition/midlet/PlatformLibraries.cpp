#include "microedition/midlet/PlatformLibraries.h"

#include "platform/system/ModuleTable.h"

namespace qel::midlet {

namespace {

struct Libraries {
  wce::HMODULE aygshell = nullptr;
  wce::SHFullScreenFunction shFullScreen = nullptr;
  wce::SHSetImeModeFunction shSetImeMode = nullptr;
  wce::HMODULE sms = nullptr;
  qel::messaging::SmsLibrary::SmscQuery smsGetSmsc = nullptr;
};

Libraries& libraries() {
  static Libraries table;
  return table;
}

template <typename Function>
Function entry(wce::HMODULE module, const char16_t* name) {
  return reinterpret_cast<Function>(wce::GetProcAddressW(module, name));
}

}  // namespace

void PlatformLibraries::loadAygshell() {
  Libraries& table = libraries();
  table.aygshell = wce::LoadLibraryW(u"aygshell.dll");
  if (!table.aygshell) return;
  table.shFullScreen = entry<wce::SHFullScreenFunction>(table.aygshell, u"SHFullScreen");
  table.shSetImeMode = entry<wce::SHSetImeModeFunction>(table.aygshell, u"SHSetImeMode");
}

void PlatformLibraries::loadSms() {
  Libraries& table = libraries();
  table.sms = wce::LoadLibraryW(u"sms.dll");
  if (table.sms) table.smsGetSmsc = entry<qel::messaging::SmsLibrary::SmscQuery>(table.sms, u"SmsGetSMSC");
  qel::messaging::SmsLibrary::set(table.sms != nullptr, table.smsGetSmsc);
}

void PlatformLibraries::unload() {
  Libraries& table = libraries();
  table.shFullScreen = nullptr;
  table.shSetImeMode = nullptr;
  wce::FreeLibrary(table.aygshell);
  table.aygshell = nullptr;
  table.smsGetSmsc = nullptr;
  wce::FreeLibrary(table.sms);
  table.sms = nullptr;
  qel::messaging::SmsLibrary::set(false, nullptr);
}

wce::SHFullScreenFunction PlatformLibraries::shFullScreen() { return libraries().shFullScreen; }
wce::SHSetImeModeFunction PlatformLibraries::shSetImeMode() { return libraries().shSetImeMode; }
qel::messaging::SmsLibrary::SmscQuery PlatformLibraries::smsGetSmsc() { return libraries().smsGetSmsc; }

}  // namespace qel::midlet
