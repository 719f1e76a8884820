#pragma once
// "gxdma.dll": DMA copies from a system-memory frame buffer to the panel.

#include <cstdint>

#include "display/device/LoadedLibrary.h"

namespace tdlx {

class DmaLibrary {
public:
  DmaLibrary();

  // The library with both copy entries.
  bool usable() const { return toVram_ && toDram_; }
  // A missing IsDMAReady counts as always ready.
  bool ready() const;
  bool copyToVram(const void* dram, std::int32_t pitch, std::int32_t left, std::int32_t top, std::int32_t width,
                  std::int32_t height) const;

private:
  using ReadyFunction = bool();
  using CopyFunction = bool(const void*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
  using CopyBackFunction = bool(void*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

  LoadedLibrary library_;
  ReadyFunction* ready_;
  CopyFunction* toVram_;
  CopyBackFunction* toDram_;
};

}  // namespace tdlx
