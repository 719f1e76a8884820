#pragma once
// Process-wide state of the emulated message store, shared by its objects.

#include "platform/mapi/Mapi.h"
#include "platform/sms/NextResults.h"

#include <atomic>
#include <optional>

namespace wce::mapi {

NextResults<MapiCall, static_cast<std::size_t>(MapiCall::Count)>& nextResults();
inline std::optional<HRESULT> injected(MapiCall call) { return nextResults().take(call); }

std::atomic<int>& liveObjects();
std::atomic<int>& adviseConnections();
int liveBuffers();

}  // namespace wce::mapi
