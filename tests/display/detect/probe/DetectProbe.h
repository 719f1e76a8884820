#pragma once
// What a test resets of the detection.

namespace tdlx {

// The next display detects again, as in a new process.
void forgetVideoDetect();

}  // namespace tdlx
