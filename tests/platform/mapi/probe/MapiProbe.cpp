#include "tests/platform/mapi/probe/MapiProbe.h"

namespace wce {

void setNextMapiResult(MapiCall call, HRESULT result) { mapi::nextResults().set(call, result); }

void clearNextMapiResults() { mapi::nextResults().clear(); }

MapiUsage mapiUsage() {
  return MapiUsage{mapi::initializations(), mapi::liveObjects(), mapi::liveBuffers(), mapi::adviseConnections()};
}

}  // namespace wce
