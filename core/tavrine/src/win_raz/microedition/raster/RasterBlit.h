#pragma once

#include <cstdint>

#include "microedition/raster/BlitRequest.h"

namespace qel::raster {

// Draws one request: copies, converts, keys, masks, tints, blends, mirrors,
// turns and rotates. Requests that cannot be drawn draw nothing.
void blit(BlitRequest& request);

// 65536 entries, [a * 256 + b] = a * b; built on first use.
const uint16_t* getProductTable();

}  // namespace qel::raster
