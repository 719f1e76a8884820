#include "microedition/host/WinMain.h"

#include <cfenv>
#include <memory>
#include <new>
#include <string>

#include "io/DFileInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/ProcessCommandLine.h"
#include "microedition/host/CommandLine.h"
#include "microedition/host/GameEngine.h"
#include "microedition/midlet/PlatformLibraries.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Messages.h"
#include "util/DStringManager.h"

namespace qel::host {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
using qel::util::DStringManager;
using qel::util::DStringManagerPtr;

namespace {

void throwOutOfMemory() { throw std::bad_alloc(); }

void loadEngineIni(DStringManager& configuration) {
  try {
    DStringPtr name(u"engine.ini");
    qel::io::DInputStreamPtr stream = new qel::io::DFileInputStream(name);
    configuration.load(name, stream, DStringManager::ModeBytes, true);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::Exception);
  }
}

bool noFullScreen(const DStringManager& configuration) {
  DStringPtr key(u"nofullscreen");
  DStringPtr text = configuration.getString(key);
  if (!text) return false;
  return text->view() == u"true" || configuration.getInt(key) != 0;
}

}  // namespace

int WinMain(wce::HINSTANCE instance, wce::HINSTANCE, const char16_t* commandLine, int) {
  std::set_new_handler(&throwOutOfMemory);
  qel::midlet::PlatformLibraries::loadAygshell();
  std::fesetround(FE_TOWARDZERO);
  qel::midlet::PlatformLibraries::loadSms();

  DStringManagerPtr configuration = new DStringManager(0);
  loadEngineIni(*configuration);
  std::u16string line = commandLine ? std::u16string(commandLine) : std::u16string();
  qel::lang::ProcessCommandLine::set(line);
  applyCommandLine(line, *configuration);

  runEngine(instance, configuration);

  qel::midlet::PlatformLibraries::unload();
  return 0;
}

DisplaySize engineDisplaySize(const DStringManager* configuration) {
  DisplaySize size{-1, -1};
  if (!configuration) return size;
  auto [width, height] = configuration->getIntPair(DStringPtr(u"resolution"));
  if (width > 0) size.width = width;
  if (height > 0) size.height = height;
  if (noFullScreen(*configuration) || size.width < 1 || size.height < 1) {
    size = {wce::GetSystemMetrics(wce::SM_CXSCREEN), wce::GetSystemMetrics(wce::SM_CYSCREEN)};
  }
  return size;
}

void runEngine(wce::HINSTANCE instance, DStringManagerPtr configuration) {
  const DisplaySize size = engineDisplaySize(configuration.get());
  try {
    try {
      auto engine = std::make_unique<GameEngine>(configuration);
      engine->run(instance, size.width, size.height);
    } catch (DExceptionBase& e) {
      e.rethrowUnless(qel::lang::ExceptionCode::Exception);
    }
  } catch (...) {
    wce::MessageBoxW(nullptr, u"Run - unknown exception!", u"Error!", wce::MB_ICONERROR);
  }
}

}  // namespace qel::host
