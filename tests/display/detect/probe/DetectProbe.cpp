#include "tests/display/detect/probe/DetectProbe.h"

#include "display/detect/DetectRecord.h"

namespace tdlx {

void forgetVideoDetect() { processDetectRecord().reset(); }

}  // namespace tdlx
