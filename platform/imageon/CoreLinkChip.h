#pragma once
// The state of the emulated Imageon chip behind "CoreLinkLib.dll": attached
// processes, surfaces in chip memory, overlays and the memory transfer.

#include <cstdint>
#include <map>
#include <vector>

namespace wce {

struct CoreLinkChip {
  struct Surface {
    std::uint32_t width;
    std::uint32_t height;
    std::vector<std::uint16_t> pixels;
  };
  struct Overlay {
    std::uint32_t surface = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool on = false;
  };

  int attached = 0;
  std::uint32_t nextId = 1;
  std::map<std::uint32_t, Surface> surfaces;
  std::map<std::uint32_t, Overlay> overlays;
  bool transferOpen = false;
  // WaitComplete's busy answers left before the next idle one; -1: none counted yet.
  int busyLeft = -1;
};

// The device's one chip.
CoreLinkChip& chip();

}  // namespace wce
