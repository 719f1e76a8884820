#pragma once
// Process-wide state of the emulated message store, shared by its objects.

#include <atomic>
#include <optional>

#include "platform/mapi/Mapi.h"
#include "platform/sms/ResultHook.h"

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

// The hook a test may put in front of each kind of call (ResultHook.h).
ResultHookSlot<MapiCall>& resultHook();
inline std::optional<HRESULT> injected(MapiCall call) { return hookedResult(resultHook(), call); }

std::atomic<int>& initializations();
std::atomic<int>& liveObjects();
std::atomic<int>& adviseConnections();
int liveBuffers();

}  // namespace wce::mapi
