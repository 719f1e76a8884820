#pragma once
// The built-in "gxdma.dll": DMA transfers between a system-memory frame buffer
// laid out like the panel (native rows, pitch bytes apart) and the panel.

#include <cstdint>

namespace wce {

// False while a transfer is still running (see GapiOptions::dmaBusyPolls).
bool IsDMAReady();
// Copies the rectangle (panel coordinates, clipped to the panel) from dram to
// the panel; false for a null buffer or while a transfer runs.
bool DmaDRAMtoVRAM(const void* dram, std::int32_t pitch, std::int32_t left, std::int32_t top, std::int32_t width,
                   std::int32_t height);
// The other way round.
bool DmaVRAMtoDRAM(void* dram, std::int32_t pitch, std::int32_t left, std::int32_t top, std::int32_t width,
                   std::int32_t height);

// Adds the entries above to "gxdma.dll" in the module table.
void registerGxDmaEntries();

}  // namespace wce
