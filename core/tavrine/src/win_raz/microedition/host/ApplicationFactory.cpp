#include "microedition/host/ApplicationFactory.h"

#include "microedition/midlet/DMIDlet.h"

namespace qel::host {

namespace {

ApplicationFactory installed = nullptr;

}  // namespace

void installApplicationFactory(ApplicationFactory factory) { installed = factory; }

qel::midlet::DMIDletPtr createApplication() { return installed ? installed() : nullptr; }

}  // namespace qel::host
