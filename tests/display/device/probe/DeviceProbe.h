#pragma once
// What a test resets of the device helpers' process-wide state.

namespace tdlx {

// The device model is read again on next use.
void forgetDeviceModel();
// The processor kind and the page size are read again on next use.
void forgetProcessorAndPageSize();
// Both system library holders are made again on next use.
void forgetSystemLibraries();
// The next log entry starts a new run.
void restartLog();

}  // namespace tdlx
