#pragma once
// The detection record of this process; none until the first display detects.

#include "display/detect/VideoDetect.h"

#include <optional>

namespace tdlx {

std::optional<VideoDetect>& processDetectRecord();

}  // namespace tdlx
