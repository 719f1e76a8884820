#include "platform/mapi/SmsSession.h"

#include <algorithm>

#include "platform/mapi/MemoryTable.h"
#include "platform/mapi/SmsStore.h"

namespace wce::mapi {

HRESULT SmsSession::GetMsgStoresTable(ULONG, IMAPITable** table) {
  if (auto result = injected(MapiCall::GetMsgStoresTable)) return *result;
  if (!table) return E_INVALIDARG;
  *table = new MemoryTable({PropertyRow{{PR_DISPLAY_NAME_W, u"SMS"}, {PR_ENTRYID, smsStoreEntryId()}}});
  return S_OK;
}

HRESULT SmsSession::OpenMsgStore(std::uintptr_t, ULONG entryIdSize, const std::uint8_t* entryId, const void*, ULONG,
                                 IMsgStore** store) {
  if (auto result = injected(MapiCall::OpenMsgStore)) return *result;
  if (!store) return E_INVALIDARG;
  const Bytes& id = smsStoreEntryId();
  if (!entryId || entryIdSize != id.size() || !std::equal(id.begin(), id.end(), entryId)) return MAPI_E_NOT_FOUND;
  *store = new SmsStore(inbox_);
  return S_OK;
}

}  // namespace wce::mapi
