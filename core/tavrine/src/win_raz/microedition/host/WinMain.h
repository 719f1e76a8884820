#pragma once

#include <cstdint>

#include "platform/window/WindowTypes.h"
#include "util/DStringManager.ptr.h"

namespace qel::host {

struct DisplaySize {
  int32_t width;
  int32_t height;
};

// The process's start-up and end: the platform libraries, truncating
// rounding, "engine.ini" and the command line into the configuration, the
// engine's run, then the libraries freed again. Answers 0.
int WinMain(wce::HINSTANCE instance, wce::HINSTANCE previous, const char16_t* commandLine, int showCommand);

// The size the back-end opens with: the configuration's "resolution" unless
// "nofullscreen" is set ("true" or a number other than 0) or a part of it is
// below 1; then the screen's size.
DisplaySize engineDisplaySize(const qel::util::DStringManager* configuration);

// Creates, runs and deletes the engine. A framework exception escaping the
// run ends it quietly; anything else shows "Run - unknown exception!".
void runEngine(wce::HINSTANCE instance, qel::util::DStringManagerPtr configuration);

}  // namespace qel::host
