#include "tests/platform/gapi/probe/GapiProbe.h"

#include "platform/gapi/GapiState.h"

namespace wce {

bool gxInputOpen() { return gxDisplay().inputOpen; }

int dmaTransferCount() { return dmaState().transfers; }

void resetDmaTransfers() { dmaState() = DmaState{}; }

}  // namespace wce
