#pragma once
// The display driver's frame-buffer escapes on the screen DC, each confirmed
// first with QUERYESCSUPPORT.

#include "platform/gdi/DisplayEscapes.h"

namespace tdlx {

// GETGXINFO; a landscape record has its width and height exchanged back.
bool queryGxInfo(wce::GxDeviceInfo& info);
// GETRAWFRAMEBUFFER; needs a non-zero size and RGB565.
bool queryRawFrameBuffer(wce::RawFrameBufferInfo& info);

}  // namespace tdlx
