#include "tests/platform/mapi/probe/MapiProbe.h"

#include <cstddef>

#include "platform/testing/NextResults.h"

namespace wce {
namespace {

using MapiResults = NextResults<MapiCall, static_cast<std::size_t>(MapiCall::Count)>;

// Installed in the message store on first use and never destroyed, so that
// an entry called while the process ends still finds it.
MapiResults& nextMapiResults() {
  static MapiResults* const results = [] {
    auto* made = new MapiResults;
    mapi::resultHook().store(made);
    return made;
  }();
  return *results;
}

}  // namespace

void setNextMapiResult(MapiCall call, HRESULT result) { nextMapiResults().set(call, result); }

void clearNextMapiResults() { nextMapiResults().clear(); }

MapiUsage mapiUsage() {
  return MapiUsage{mapi::initializations(), mapi::liveObjects(), mapi::liveBuffers(), mapi::adviseConnections()};
}

}  // namespace wce
