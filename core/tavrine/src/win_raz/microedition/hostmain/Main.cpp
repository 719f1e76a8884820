#include "microedition/host/HostProcess.h"

int main(int argc, char** argv) { return qel::host::runHostProcess(argc, argv); }
