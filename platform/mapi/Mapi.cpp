#include "platform/mapi/Mapi.h"

#include <system_error>

#include "platform/mapi/MapiState.h"
#include "platform/mapi/SmsSession.h"
#include "platform/sms/MessageFolders.h"
#include "platform/system/ModuleTable.h"

namespace wce {

namespace mapi {

ResultHookSlot<MapiCall>& resultHook() {
  static ResultHookSlot<MapiCall> slot{nullptr};
  return slot;
}

std::atomic<int>& liveObjects() {
  static std::atomic<int> count{0};
  return count;
}

std::atomic<int>& adviseConnections() {
  static std::atomic<int> count{0};
  return count;
}

std::atomic<int>& initializations() {
  static std::atomic<int> count{0};
  return count;
}

}  // namespace mapi

HRESULT MAPIInitialize(void*) {
  if (auto result = mapi::injected(MapiCall::Initialize)) return *result;
  ++mapi::initializations();
  return S_OK;
}

void MAPIUninitialize() {
  int count = mapi::initializations().load();
  while (count > 0 && !mapi::initializations().compare_exchange_weak(count, count - 1)) {}
}

HRESULT MAPILogonEx(std::uintptr_t, const char16_t*, const char16_t*, ULONG, IMAPISession** session) {
  if (auto result = mapi::injected(MapiCall::LogonEx)) return *result;
  if (!session) return E_INVALIDARG;
  if (mapi::initializations() == 0) return MAPI_E_NOT_INITIALIZED;
  const auto inbox = inboxFolder();
  if (!inbox) return MAPI_E_LOGON_FAILED;
  std::error_code error;
  std::filesystem::create_directories(*inbox, error);
  if (error) return MAPI_E_LOGON_FAILED;
  *session = new mapi::SmsSession(*inbox);
  return S_OK;
}

void registerMapiEntries() {
  registerModuleEntry(u"cemapi.dll", u"MAPIInitialize", &MAPIInitialize);
  registerModuleEntry(u"cemapi.dll", u"MAPIUninitialize", &MAPIUninitialize);
  registerModuleEntry(u"cemapi.dll", u"MAPILogonEx", &MAPILogonEx);
  registerModuleEntry(u"cemapi.dll", u"MAPIFreeBuffer", &MAPIFreeBuffer);
}

}  // namespace wce
