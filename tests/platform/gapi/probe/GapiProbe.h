#pragma once
// What a test sees of the emulated "gx.dll" and "gxdma.dll".

namespace wce {

// Whether GXOpenInput holds the device's keys now.
bool gxInputOpen();
// Transfers started since the last reset.
int dmaTransferCount();
void resetDmaTransfers();

}  // namespace wce
