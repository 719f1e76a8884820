#pragma once

namespace qel::host {

// The program's entry on the desktop: the device's window and sound through
// SDL when they can start (else the device runs without them), one copy per
// program folder, and the arguments joined by blanks as the command line of
// WinMain. Answers the exit code.
int runHostProcess(int argc, char** argv);

}  // namespace qel::host
