#pragma once

#include "microedition/raster/BlitRequest.h"

namespace qel::raster::testing {

// A slow blitter that decides every destination pixel on its own: it maps the
// pixel back through the inverse transform and applies the mode's formula.
// Rotation by an angle is not covered.
void referenceBlit(const BlitRequest& request);

}  // namespace qel::raster::testing
