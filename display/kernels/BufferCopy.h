#pragma once

#include "display/kernels/FrameBufferInfo.h"
#include "display/kernels/Rect.h"

namespace tdlx {

// Copies the pixels of rect from src to the same place in dst, row by row.
// The rectangle is clipped to both buffers.
void copyRect(const FrameBufferInfo& dst, const FrameBufferInfo& src, const Rect& rect);

// Copies the whole rows top to bottom - 1 from src to dst as one block when both
// buffers have the same pitch, else row by row. The rows are clipped to both buffers.
void copyBlock(const FrameBufferInfo& dst, const FrameBufferInfo& src, std::int32_t top, std::int32_t bottom);

}  // namespace tdlx
