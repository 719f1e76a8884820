#include "microedition/host/HostProcess.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "lang/TextCodec.h"
#include "microedition/host/WinMain.h"
#include "platform/files/Folders.h"
#include "platform/window/Messages.h"
#include "platform/window/SingleInstanceLock.h"

namespace qel::host {

namespace {

std::u16string joinedArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return qel::lang::fromMultiByte(line);
}

void configureSingleInstance() {
  std::error_code error;
  std::filesystem::path lockFolder = wce::userFolder();
  std::filesystem::create_directories(lockFolder, error);
  if (error) {
    std::fprintf(stderr, "nightvault: no lock folder %s: %s\n", lockFolder.c_str(), error.message().c_str());
    return;
  }
  wce::SingleInstanceLock::instance().configure(lockFolder.string(), wce::programFolder().string());
}

}  // namespace

int runHostProcess(int argc, char** argv, ApplicationFactory factory) {
  configureSingleInstance();
  installApplicationFactory(factory);
  std::u16string commandLine = joinedArguments(argc, argv);
  int exitCode = WinMain(nullptr, nullptr, commandLine.c_str(), wce::SW_SHOW);
  installApplicationFactory(nullptr);
  return exitCode;
}

}  // namespace qel::host
