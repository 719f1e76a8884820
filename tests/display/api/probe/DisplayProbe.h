#pragma once
// What a test resets and sees of the display library's process-wide state.

namespace tdlx {

// Forgets what the library learned about the device: detection, the device
// model, the system libraries, the cached orientation and the log run. The
// next display starts as in a new process (tests switch emulated devices so).
void forgetProcessState();
int hookedWindowCount();

}  // namespace tdlx
