#pragma once
// The state of the emulated "gx.dll" and "gxdma.dll": the open display and
// input, the viewport, the DRAM copy of the panel and the running transfer.

#include <cstdint>
#include <vector>

namespace wce {

struct GxDisplay {
  bool open = false;
  bool suspended = false;
  bool inputOpen = false;
  std::uint32_t viewportTop = 0;
  std::uint32_t viewportHeight = 0;
  // A copy of the panel, native layout, while the device has a DRAM buffer.
  std::vector<std::uint16_t> dram;
};

struct DmaState {
  int busyPolls = 0;
  // Transfers started since the state was last reset.
  int transfers = 0;
};

GxDisplay& gxDisplay();
DmaState& dmaState();

}  // namespace wce
