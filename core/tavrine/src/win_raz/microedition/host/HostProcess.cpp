#include "microedition/host/HostProcess.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "display/device/Log.h"
#include "lang/TextCodec.h"
#include "microedition/host/WinMain.h"
#include "platform/devices/DeviceModules.h"
#include "platform/files/Folders.h"
#include "platform/mapi/Mapi.h"
#include "platform/sdl/audio/SdlWaveOutDriver.h"
#include "platform/sdl/video/SdlVideo.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/Sms.h"
#include "platform/waveout/WaveOutDriver.h"
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

// The emulated libraries and the files the platform keeps in the user folder.
void setUpPlatform() {
  wce::registerDeviceModules();
  wce::registerSmsEntries();
  wce::registerMapiEntries();
  wce::setMessageUserFolder(wce::userFolder());
  tdlx::setLogFolder(wce::userFolder());
}

}  // namespace

int runHostProcess(int argc, char** argv) {
  std::string error;
  std::unique_ptr<wce::SdlVideo> video = wce::SdlVideo::open(error);
  if (!video) std::fprintf(stderr, "nightvault: no video (%s); running without a window\n", error.c_str());
  auto sound = std::make_shared<wce::sdl::SdlWaveOutDriver>();
  wce::installWaveOutDriver(sound);
  configureSingleInstance();
  setUpPlatform();

  std::u16string commandLine = joinedArguments(argc, argv);
  int exitCode = WinMain(nullptr, nullptr, commandLine.c_str(), wce::SW_SHOW);

  wce::installWaveOutDriver(nullptr);
  return exitCode;
}

}  // namespace qel::host
