#pragma once
// "gx.dll" and the entries the GAPI driver calls.

#include "display/device/LoadedLibrary.h"
#include "platform/gapi/Gx.h"

namespace tdlx {

struct GxLibrary {
  GxLibrary();

  // The library with every entry but GXIsDisplayDRAMBuffer, which may be missing.
  bool usable() const;
  bool isDramBuffer() const { return isDisplayDramBuffer && isDisplayDramBuffer(); }

  LoadedLibrary library;
  decltype(&wce::GXOpenDisplay) openDisplay;
  decltype(&wce::GXCloseDisplay) closeDisplay;
  decltype(&wce::GXGetDisplayProperties) getDisplayProperties;
  decltype(&wce::GXBeginDraw) beginDraw;
  decltype(&wce::GXEndDraw) endDraw;
  decltype(&wce::GXSuspend) suspend;
  decltype(&wce::GXResume) resume;
  decltype(&wce::GXSetViewport) setViewport;
  decltype(&wce::GXIsDisplayDRAMBuffer) isDisplayDramBuffer;
};

}  // namespace tdlx
