// The program: composes the emulated device (its one driver, SDL's events,
// window and sound as far as they start, handed to the layer once; the
// emulated libraries and the folders they keep files in), then runs the host
// with the game library's application and the game registered with it.
// "--script FILE" plays a key-and-pointer script into the game on the real
// clock. A data archive that does not open ends the program with status 1
// and a message box (also on standard error) saying where it was looked for;
// a screen size the archive has no resolution file for ends it with status
// 1 and a line on standard error naming the size.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/device/Log.h"
#include "gamelib/GameLib.h"
#include "lang/TextCodec.h"
#include "microedition/host/HostProcess.h"
#include "nvx/app/script/Script.h"
#include "nvx/app/script/WatchedScript.h"
#include "nvx/app/splash/SplashResource.h"
#include "nvx/src/state/NightvaultGame.h"
#include "platform/devices/DeviceModules.h"
#include "platform/driver/DeviceDriver.h"
#include "platform/driver/MemoryDriver.h"
#include "platform/files/Folders.h"
#include "platform/mapi/Mapi.h"
#include "platform/sdl/driver/SdlDriver.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/Sms.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Messages.h"

namespace {

qel::midlet::DMIDletPtr makeApplication() { return gamelib::GameLib::createApplication(); }

void registerEmulatedLibraries() {
  wce::registerDeviceModules();
  wce::registerSmsEntries();
  wce::registerMapiEntries();
  wce::setMessageUserFolder(wce::userFolder());
  tdlx::setLogFolder(wce::userFolder());
}

// Takes "--script FILE" out of the arguments (the others go to the host)
// and reads the script; false, having said why, when that fails.
bool takeScriptOption(std::vector<char*>& arguments, std::optional<std::vector<nvx::ScriptStep>>& script) {
  for (auto at = arguments.begin() + 1; at != arguments.end(); ++at) {
    if (std::string(*at) != "--script") continue;
    if (at + 1 == arguments.end()) {
      std::fprintf(stderr, "nightvault: --script needs a file\n");
      return false;
    }
    try {
      script = nvx::loadScript(*(at + 1));
    } catch (const nvx::ScriptError& e) {
      std::fprintf(stderr, "nightvault: %s\n", e.what());
      return false;
    }
    arguments.erase(at, at + 2);
    return true;
  }
  return true;
}

// Says what became of "game.dat": missing, empty or damaged (with the
// reader's reason), and the path it was looked for at.
void reportArchiveFailure(const std::u16string& reason) {
  const std::filesystem::path archive = wce::programFolder() / "game.dat";
  std::error_code error;
  std::string state;
  if (!std::filesystem::exists(archive, error))
    state = "is missing";
  else if (std::filesystem::is_regular_file(archive, error) && std::filesystem::file_size(archive, error) == 0)
    state = "is empty";
  else
    state = "cannot be read (" + qel::lang::toMultiByte(reason) + ")";
  const std::string text =
      "The data archive \"game.dat\" " + state + ". It was looked for at " + archive.string() + ".";
  const std::u16string wide = qel::lang::fromMultiByte(text);
  wce::MessageBoxW(nullptr, wide.c_str(), u"nightvault", wce::MB_ICONERROR);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> arguments(argv, argv + argc);
  std::optional<std::vector<nvx::ScriptStep>> script;
  if (!takeScriptOption(arguments, script)) return 2;

  std::string error;
  std::unique_ptr<wce::sdl::SdlDriver> sdl = wce::sdl::SdlDriver::open(error);
  wce::MemoryDriver withoutSdl;
  wce::DeviceDriver* device = sdl.get();
  if (!sdl) {
    std::fprintf(stderr, "nightvault: no SDL (%s); running without a window or sound\n", error.c_str());
    device = &withoutSdl;
  } else if (!sdl->video()) {
    std::fprintf(stderr, "nightvault: no video (%s); running without a window\n", sdl->videoError().c_str());
  }
  std::optional<nvx::WatchedScript> watched;
  if (script) device = &watched.emplace(std::move(*script), *device);
  wce::DeviceDriverScope deviceScope(*device);

  registerEmulatedLibraries();
  nvx::registerSplashResource();
  nvx::NightvaultGame::registerWithGameLib();
  int exitCode = qel::host::runHostProcess(static_cast<int>(arguments.size()), arguments.data(), &makeApplication);
  if (const std::optional<std::u16string> failure = gamelib::GameLib::archiveFailure()) {
    reportArchiveFailure(*failure);
    exitCode = 1;
  }
  if (const std::optional<gamelib::GameLib::ScreenSize> screen = gamelib::GameLib::unsupportedScreen()) {
    std::fprintf(stderr,
                 "nightvault: the screen size %d x %d is not supported: \"game.dat\" has no resolution file for it\n",
                 static_cast<int>(screen->width),
                 static_cast<int>(screen->height));
    exitCode = 1;
  }
  return exitCode;
}
