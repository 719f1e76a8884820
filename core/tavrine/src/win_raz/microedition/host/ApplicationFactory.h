#pragma once

#include "microedition/midlet/DMIDlet.ptr.h"

namespace qel::host {

// The application object's factory, provided by the program's application
// library (the game library's GameLib); null when it cannot be made.
qel::midlet::DMIDletPtr createApplication();

}  // namespace qel::host
