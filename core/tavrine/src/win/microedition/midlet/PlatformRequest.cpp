#include "microedition/midlet/PlatformRequest.h"

#include <string>

#include "lang/DString.h"
#include "platform/shell/Shell.h"
#include "platform/system/ModuleTable.h"
#include "platform/window/Messages.h"

namespace qel::midlet {

namespace {

bool hasPrefix(const qel::lang::DString& url, std::u16string_view prefix) { return url.view().starts_with(prefix); }

bool shellOpen(const std::u16string& file, wce::DWORD mask) {
  wce::ShellExecuteInfo info;
  info.mask = mask;
  info.file = file.c_str();
  info.show = wce::SW_SHOWNORMAL;
  return wce::ShellExecuteEx(&info);
}

// Looked up once per process.
wce::PhoneMakeCallFunction phoneMakeCall() {
  static const wce::PhoneMakeCallFunction function = [] {
    wce::registerPhoneEntries();
    wce::HMODULE phone = wce::LoadLibraryW(u"phone.dll");
    if (!phone) return wce::PhoneMakeCallFunction{nullptr};
    return reinterpret_cast<wce::PhoneMakeCallFunction>(wce::GetProcAddressW(phone, u"PhoneMakeCall"));
  }();
  return function;
}

}  // namespace

bool PlatformRequest::open(const qel::lang::DStringPtr& url) {
  if (!url) return false;
  const qel::lang::DString& text = *url;
  if (hasPrefix(text, u"http:") || hasPrefix(text, u"https:") || hasPrefix(text, u"mailto:")) {
    shellOpen(std::u16string(text.view()), 0);
    return true;
  }
  if (hasPrefix(text, u"tel:")) return placeCall(text);
  if (hasPrefix(text, u"gmm://")) return openGmm(text);
  return false;
}

bool PlatformRequest::placeCall(const qel::lang::DString& url) {
  wce::PhoneMakeCallFunction call = phoneMakeCall();
  if (!call) return false;
  std::u16string destination(url.view().substr(4));
  wce::PhoneMakeCallInfo info;
  info.flags = wce::PMCF_DEFAULT;
  info.destination = destination.c_str();
  return call(&info) == 0;
}

bool PlatformRequest::openGmm(const qel::lang::DString& url) {
  if (shellOpen(std::u16string(url.view().substr(6)), wce::SEE_MASK_FLAG_NO_UI)) return true;
  wce::DWORD error = wce::GetLastError();
  return error != wce::ERROR_FILE_NOT_FOUND && error != wce::ERROR_NO_ASSOCIATION;
}

}  // namespace qel::midlet
