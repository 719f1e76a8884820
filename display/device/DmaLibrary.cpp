#include "display/device/DmaLibrary.h"

namespace tdlx {

DmaLibrary::DmaLibrary()
    : library_(u"gxdma.dll"),
      ready_(library_.entry<ReadyFunction>(u"IsDMAReady")),
      toVram_(library_.entry<CopyFunction>(u"DmaDRAMtoVRAM")),
      toDram_(library_.entry<CopyBackFunction>(u"DmaVRAMtoDRAM")) {}

bool DmaLibrary::ready() const { return !ready_ || ready_(); }

bool DmaLibrary::copyToVram(const void* dram, std::int32_t pitch, std::int32_t left, std::int32_t top,
                            std::int32_t width, std::int32_t height) const {
  return toVram_ && toVram_(dram, pitch, left, top, width, height);
}

}  // namespace tdlx
