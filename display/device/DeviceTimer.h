#pragma once
// The device helpers' millisecond timer and processor identification.

#include <cstdint>

#include "display/kernels/ProcessorKind.h"

namespace tdlx {

// The performance counter in milliseconds; the tick count when there is no
// usable counter (none, a frequency below 1000) or on the HTC Voyager.
std::uint32_t getMilliseconds();

// From the processor's main ID register, read once for the process.
ProcessorKind getProcessorKind();

// GetSystemInfo's page size, read once for the process.
std::uint32_t getPageSize();

}  // namespace tdlx
