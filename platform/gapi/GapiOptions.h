#pragma once
// How the emulated "gx.dll" and "gxdma.dll" behave. Whether a device has them
// at all is the device profile's module list.

namespace wce {

struct GapiOptions {
  // GXIsDisplayDRAMBuffer's answer: drawing goes to a system-memory copy of
  // the panel that GXEndDraw writes out over the viewport rows.
  bool dramBuffer = false;
  // IsDMAReady answers false this many times after each transfer; below 0 it
  // never reports ready again.
  int dmaBusyPolls = 0;
};

const GapiOptions& gapiOptions();

// Sets options for the lifetime of the object, then restores the previous ones.
class ScopedGapiOptions {
public:
  explicit ScopedGapiOptions(const GapiOptions& options);
  ~ScopedGapiOptions();
  ScopedGapiOptions(const ScopedGapiOptions&) = delete;
  ScopedGapiOptions& operator=(const ScopedGapiOptions&) = delete;

private:
  GapiOptions previous_;
};

}  // namespace wce
