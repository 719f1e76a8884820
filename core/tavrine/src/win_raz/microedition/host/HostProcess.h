#pragma once

#include "microedition/host/ApplicationFactory.h"

namespace qel::host {

// The program's entry once the program has composed the device (the window
// and sound drivers, the emulated libraries and their folders; see
// projects/nvx/app/Main.cpp): one copy per program folder, the arguments
// joined by blanks as the command line of WinMain, the engine's application
// made by factory while it runs. Answers the exit code.
int runHostProcess(int argc, char** argv, ApplicationFactory factory);

}  // namespace qel::host
