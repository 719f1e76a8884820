#pragma once
// The detection record of this process; none until the first display detects.

#include <optional>

#include "display/detect/VideoDetect.h"

namespace tdlx {

std::optional<VideoDetect>& processDetectRecord();

}  // namespace tdlx
