#include <gtest/gtest.h>

#include "GameFolder.h"
#include "HostDouble.h"
#include "TestPng.h"
#include "gamelib/GameLib.h"
#include "lang/DObjectArray.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/host/GameEngine.h"
#include "platform/screen/DeviceScreen.h"
#include "util/DStringManager.h"

namespace {

// A game that ends the application after a few steps.
class ShortGame final : public gamelib::Game {
public:
  static inline std::vector<std::string> calls;
  static inline int steps = 0;
  static gamelib::GamePtr make() { return new ShortGame(); }

  void initStatics() override {
    calls.push_back("initStatics");
    tables_.mapPlaces = new qel::lang::DintArray2d(9);
    tables_.mapPoints = new qel::lang::DshortArray2d(5, 2);
    tables_.spriteTable = new qel::lang::DshortArray2d(53, 6);
    tables_.shortRows = new qel::lang::DshortArray2d(7);
  }
  gamelib::ResTables& layoutTables() override { return tables_; }
  void setDerivedLayout(int32_t, int32_t, int32_t) override {}
  void init() override { calls.push_back("init"); }
  void step() override {
    if (++steps == 5) gamelib::GameLib::exitApp();
  }
  void paint(qel::lcdui::DGraphicsPtr g) override {
    g->setColor(0x0000FFu);
    g->fillRect(0, 0, 10, 10);
  }
  void onPause() override { calls.push_back("onPause"); }
  bool saveOnExit() override { return true; }
  void saveLevelState() override { calls.push_back("saveLevelState"); }
  void shutdown() override { calls.push_back("shutdown"); }
  void releaseStatics() override { calls.push_back("releaseStatics"); }

private:
  gamelib::ResTables tables_;
};

TEST(HostRunTest, TheRealHostRunsTheLogosTheGameAndTheShutdown) {
  GameFolder folder;
  folder.addEntry("240x320.dat", "PATH=hi/\n");
  folder.addEntry("hi/logo1.png", solidPng(20, 10, 0xFF0000));
  folder.writeArchive();
  wce::ManualClock clock{1000};
  clock.setAutoAdvance(1);
  wce::ScopedClockSource clockScope(clock);
  gamelib::GameLib::registerGame(&ShortGame::make);
  ShortGame::calls.clear();
  ShortGame::steps = 0;

  qel::host::installApplicationFactory(
      +[]() -> qel::midlet::DMIDletPtr { return gamelib::GameLib::createApplication(); });
  {
    qel::host::GameEngine engine(new qel::util::DStringManager(0));
    engine.run(nullptr, 240, 320);
  }
  qel::host::installApplicationFactory(nullptr);
  gamelib::GameLib::registerGame(nullptr);
  gamelib::GameLib::setSearchPath(nullptr);

  EXPECT_EQ(ShortGame::steps, 5);
  EXPECT_EQ(ShortGame::calls,
            (std::vector<std::string>{"initStatics", "init", "saveLevelState", "shutdown", "releaseStatics"}));
  EXPECT_GE(clock.peekMillis(), 3000u);
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  EXPECT_EQ(screen.viewPixel(1, 1), 0x001F);      // the game's last painted frame
  EXPECT_EQ(screen.viewPixel(120, 160), 0xF800);  // the red logo, centred on the start-up screen
  EXPECT_EQ(screen.viewPixel(200, 300), 0xFFFF);  // the white around it
}

}  // namespace
