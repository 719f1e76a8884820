#pragma once

#include <cstdint>

namespace tdlx {

enum class ProcessorKind { Other = 0, StrongArm = 1, XScale = 2 };

// The processor kind named by the coprocessor 15 main ID register.
ProcessorKind processorKindFromMainId(std::uint32_t mainId);

}  // namespace tdlx
