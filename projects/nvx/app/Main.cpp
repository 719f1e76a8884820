// The program: composes the emulated device (SDL's window and sound when
// they can start, else the device runs without them; the emulated libraries
// and the folders they keep files in), then runs the host with the game
// library's application and the game registered with it.

#include <cstdio>
#include <memory>
#include <string>

#include "display/device/Log.h"
#include "gamelib/GameLib.h"
#include "microedition/host/HostProcess.h"
#include "nvx/app/splash/SplashResource.h"
#include "nvx/src/state/NightvaultGame.h"
#include "nvx/src/state/NightvaultScreens.h"
#include "platform/devices/DeviceModules.h"
#include "platform/files/Folders.h"
#include "platform/mapi/Mapi.h"
#include "platform/sdl/audio/SdlWaveOutDriver.h"
#include "platform/sdl/video/SdlVideo.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/Sms.h"
#include "platform/waveout/WaveOutDriver.h"

namespace {

qel::midlet::DMIDletPtr makeApplication() { return gamelib::GameLib::createApplication(); }

void registerEmulatedLibraries() {
  wce::registerDeviceModules();
  wce::registerSmsEntries();
  wce::registerMapiEntries();
  wce::setMessageUserFolder(wce::userFolder());
  tdlx::setLogFolder(wce::userFolder());
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::unique_ptr<wce::SdlVideo> video = wce::SdlVideo::open(error);
  if (!video) std::fprintf(stderr, "nightvault: no video (%s); running without a window\n", error.c_str());
  wce::installWaveOutDriver(std::make_shared<wce::sdl::SdlWaveOutDriver>());
  registerEmulatedLibraries();
  nvx::registerSplashResource();
  nvx::NightvaultGame::registerWithGameLib();
  nvx::NightvaultScreens::installLive();

  int exitCode = qel::host::runHostProcess(argc, argv, &makeApplication);

  wce::installWaveOutDriver(nullptr);
  return exitCode;
}
