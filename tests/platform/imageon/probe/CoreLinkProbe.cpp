#include "tests/platform/imageon/probe/CoreLinkProbe.h"

#include "platform/imageon/CoreLinkChip.h"

namespace wce::testing {

CoreLinkState coreLinkState() {
  const CoreLinkChip& c = chip();
  bool on = false;
  for (const auto& entry : c.overlays) on = on || entry.second.on;
  return {c.attached, static_cast<int>(c.surfaces.size()), static_cast<int>(c.overlays.size()), c.transferOpen, on};
}

}  // namespace wce::testing
