#pragma once

namespace nvx {

// Registers the splash picture as the executable's bitmap resource 101, the
// one the host paints while it starts. Call before the host runs.
void registerSplashResource();

}  // namespace nvx
