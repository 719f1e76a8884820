#include "GameRun.h"

#include <cstdlib>
#include <fstream>
#include <memory>

#include "EventLog.h"
#include "Panel.h"
#include "gamelib/GameLib.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/host/GameEngine.h"
#include "nvx/app/script/GameProbe.h"
#include "nvx/app/script/Script.h"
#include "nvx/app/script/ScriptPlayer.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/NightvaultGame.h"
#include "platform/driver/MemoryDriver.h"
#include "platform/screen/PngFile.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Clock.h"
#include "platform/system/DeviceProfileFile.h"
#include "platform/testing/FolderOverrides.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/window/Windows.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Writable.h"
#include "util/DRandom.h"
#include "util/DStringManager.h"

namespace {

// The host's passes as the driver sees them: until the game exists the
// clock moves on every read (the logos wait on it); from then on it moves
// one frame period a pass, the log looks at what the last frame did and the
// script plays on.
class DrivenPasses {
public:
  DrivenPasses(const GameRun& run, wce::ManualClock& clock, std::vector<nvx::ScriptStep> steps)
      : run_(run),
        clock_(clock),
        log_(run.user),
        player_(std::move(steps), &nvx::gameValue, [this](const std::string& name) { checkpoint(name); }) {}

  void pass() {
    if (!steady_) {
      if (!gamelib::GameLib::mainCanvas()) return;
      steady_ = true;
      clock_.setAutoAdvance(0);
      startMillis_ = clock_.peekMillis();
    } else {
      clock_.advanceMillis(nvx::ScriptPlayer::framePeriodMs);
    }
    if (!seeded_ && nvx::GameTables::random) {
      nvtest::writable(nvx::GameTables::random) = new qel::util::DRandom(GameRun::randomSeed);
      seeded_ = true;
    }
    log_.observe();
    if (ending_) return;
    player_.advance(clock_.peekMillis(), wce::newestTopLevelWindow());
    if (player_.finished()) {
      if (player_.failure().empty() && run_.afterScript) run_.afterScript();
      failure_ = player_.failure();
      end(failure_.empty() ? "script done" : "script stopped at " + failure_);
    } else if (clock_.peekMillis() - startMillis_ > run_.limitMillis) {
      failure_ = "the script ran past " + std::to_string(run_.limitMillis) + " ms of game time";
      end(failure_);
    }
  }

  void finish() {
    log_.observe();
    log_.note("game ended");
  }
  const EventLog& log() const { return log_; }
  const std::string& failure() const { return failure_; }

private:
  void end(const std::string& why) {
    ending_ = true;
    log_.note(why);
    gamelib::GameLib::exitApp();
  }

  void checkpoint(const std::string& name) {
    const nvtest::FileSizeLimit::Lifted lifted;
    log_.note("checkpoint " + name);
    Panel panel = Panel::capture();
    panel.save(run_.out / (name + GameRun::panelExtension));
    std::filesystem::create_directories(NV_DRIVER_DUMP_DIR);
    const std::string png = std::string(NV_DRIVER_DUMP_DIR) + "/" + run_.dumpName + "-" + name + ".png";
    wce::writeRgb565Png(png, panel.pixels.data(), panel.width, panel.height);
  }

  const GameRun& run_;
  wce::ManualClock& clock_;
  EventLog log_;
  nvx::ScriptPlayer player_;
  bool steady_ = false;
  bool seeded_ = false;
  bool ending_ = false;
  uint64_t startMillis_ = 0;
  std::string failure_;
};

// The headless device of a run: the in-memory panel, the recording wave-out
// and one driven pass on every look at the queue. It never sleeps: the
// passes move the clock.
class DrivenDevice final : public wce::MemoryDriver {
public:
  explicit DrivenDevice(DrivenPasses& passes)
      : MemoryDriver(std::make_shared<wce::ManualWaveOutDriver>()), passes_(passes) {}
  void pollEvents() override { passes_.pass(); }
  void waitEvents(uint32_t) override {}

private:
  DrivenPasses& passes_;
};

void write(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

}  // namespace

int GameRun::play(const std::string& script) const {
  std::vector<nvx::ScriptStep> steps;
  try {
    steps = nvx::parseScript(script);
  } catch (const nvx::ScriptError& e) {
    write(out / failureFile, e.what());
    return 0;
  }
  ::unsetenv("NIGHTVAULT_REGISTRY");
  if (!device.empty()) {
    const wce::DeviceProfileResult profile = wce::parseDeviceProfile(device);
    if (!profile.profile) {
      write(out / failureFile, "bad device profile: " + profile.error);
      return 0;
    }
    wce::setDeviceProfile(*profile.profile);
  }
  wce::setProgramFolder(program);
  wce::setUserFolder(user);
  wce::ManualClock clock{1000};
  clock.setAutoAdvance(1);
  wce::ScopedClockSource clockScope(clock);
  DrivenPasses passes(*this, clock, std::move(steps));
  DrivenDevice device(passes);
  wce::DeviceDriverScope deviceScope(device);
  nvx::NightvaultGame::registerWithGameLib();
  qel::host::installApplicationFactory(
      +[]() -> qel::midlet::DMIDletPtr { return gamelib::GameLib::createApplication(); });
  {
    std::optional<nvtest::FileSizeLimit> full;
    if (fileSizeLimit) full.emplace(*fileSizeLimit);
    qel::host::GameEngine engine(new qel::util::DStringManager(0));
    const wce::ScreenSize screen = wce::screenSize();
    engine.run(nullptr, screen.width, screen.height);
  }
  passes.finish();
  write(out / logFile, passes.log().text());
  write(out / failureFile, passes.failure());
  return 0;
}
