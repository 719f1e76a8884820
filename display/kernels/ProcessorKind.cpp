#include "display/kernels/ProcessorKind.h"

namespace tdlx {

ProcessorKind processorKindFromMainId(std::uint32_t mainId) {
  if ((mainId >> 12) == 0x69052) {
    return ProcessorKind::XScale;
  }
  if ((mainId >> 16) == 0x6901) {
    return ProcessorKind::StrongArm;
  }
  return ProcessorKind::Other;
}

}  // namespace tdlx
