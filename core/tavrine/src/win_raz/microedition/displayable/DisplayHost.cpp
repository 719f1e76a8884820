#include "microedition/displayable/DisplayHost.h"

namespace qel::lcdui {

namespace {

DisplayHost* installed = nullptr;

}  // namespace

DisplayHost* DisplayHost::current() { return installed; }

void DisplayHost::setCurrent(DisplayHost* host) { installed = host; }

}  // namespace qel::lcdui
