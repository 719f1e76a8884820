#pragma once
// Process-wide state of the emulated message store, shared by its objects.

#include <atomic>
#include <optional>

#include "platform/mapi/Mapi.h"
#include "platform/sms/NextResults.h"

namespace wce {

enum class MapiCall {
  Initialize,
  LogonEx,
  GetMsgStoresTable,
  OpenMsgStore,
  GetProps,
  OpenEntry,
  Advise,
  Unadvise,
  GetContentsTable,
  SetColumns,
  SortTable,
  QueryRows,
  Count
};

}  // namespace wce

namespace wce::mapi {

// The results set for the next call of each kind: the call answers that
// result and does nothing else.
NextResults<MapiCall, static_cast<std::size_t>(MapiCall::Count)>& nextResults();
inline std::optional<HRESULT> injected(MapiCall call) { return nextResults().take(call); }

std::atomic<int>& initializations();
std::atomic<int>& liveObjects();
std::atomic<int>& adviseConnections();
int liveBuffers();

}  // namespace wce::mapi
