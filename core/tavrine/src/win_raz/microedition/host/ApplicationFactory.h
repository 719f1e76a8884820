#pragma once

#include "microedition/midlet/DMIDlet.ptr.h"

namespace qel::host {

// Makes the application object the engine runs; null when it cannot be made.
using ApplicationFactory = qel::midlet::DMIDletPtr (*)();

// The program's entry installs its application's factory before the engine
// runs (the game library's GameLib::createApplication in the game) and
// removes it with null afterwards.
void installApplicationFactory(ApplicationFactory factory);

// The installed factory's application; null without a factory.
qel::midlet::DMIDletPtr createApplication();

}  // namespace qel::host
