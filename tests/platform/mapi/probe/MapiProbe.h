#pragma once
// What a test sets and sees of the emulated message store.

#include "platform/mapi/MapiState.h"

namespace wce {

// The next call of that kind answers result and does nothing else.
void setNextMapiResult(MapiCall call, HRESULT result);
void clearNextMapiResults();

// What is outstanding: every object released and every buffer freed leaves
// only the initializations still counted.
struct MapiUsage {
  int initializations;
  int liveObjects;
  int liveBuffers;
  int adviseConnections;
  bool operator==(const MapiUsage&) const = default;
};
MapiUsage mapiUsage();

}  // namespace wce
