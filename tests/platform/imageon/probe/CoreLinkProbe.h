#pragma once
// What a test sees of the emulated Imageon chip.

namespace wce::testing {

struct CoreLinkState {
  int attached = 0;
  int surfaces = 0;
  int overlays = 0;
  bool transferOpen = false;
  bool overlayOn = false;
};

CoreLinkState coreLinkState();

}  // namespace wce::testing
