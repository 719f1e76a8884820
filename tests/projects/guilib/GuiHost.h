#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../gamelib/GameFolder.h"
#include "../gamelib/TestPng.h"
#include "gamelib/Game.h"
#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray2d.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/host/GameEngine.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/support/OutputFolder.h"
#include "tests/support/ScreenPixels.h"
#include "util/DStringManager.h"

// Widgets in the real host and game library on the manual clock. The
// program folder holds a two-language "lang.dat" and a string table; a run
// starts the application, calls the set-up once the game starts, then per
// game step one scripted frame followed by the library's frame loop (the
// queued actions taken and executed, then GUIEngine::update; the host
// paints through GUIEngine::paint), and ends
// the application after the last frame. The game's shutdown discards the
// engine as the game does.
class GuiHost {
public:
  using Frame = std::function<void()>;

  GuiHost() : clockScope_(clock) {
    folder.addEntry("240x320.dat", "PATH=hi/\n");
    folder.addEntry("lang.dat", recordLines({"LANG=English;Deutsch", "ID=en;de"}));
    folder.addEntry("text/strings.txt", "TITLE=Vault\nOK=Open\n");
    folder.addEntry("text/strings_de.txt",
                    "TITLE=Tresor\nOK="
                    "\xD6"
                    "ffnen\n");
    clock.setAutoAdvance(1);
  }
  ~GuiHost() {
    gamelib::GameLib::registerGame(nullptr);
    gamelib::GameLib::setSearchPath(nullptr);
    gamelib::LangInfo::releaseInstance();
  }
  GuiHost(const GuiHost&) = delete;
  GuiHost& operator=(const GuiHost&) = delete;

  void run(Frame setup, std::vector<Frame> frames = {}) {
    folder.writeArchive();
    ScriptedGame::setup = std::move(setup);
    ScriptedGame::frames = std::move(frames);
    ScriptedGame::next = 0;
    gamelib::GameLib::registerGame(&ScriptedGame::make);
    qel::host::installApplicationFactory(
        +[]() -> qel::midlet::DMIDletPtr { return gamelib::GameLib::createApplication(); });
    {
      qel::host::GameEngine engine(new qel::util::DStringManager(0));
      engine.run(nullptr, 240, 320);
    }
    qel::host::installApplicationFactory(nullptr);
    gamelib::GameLib::registerGame(nullptr);
    ScriptedGame::setup = nullptr;
    ScriptedGame::frames.clear();
  }

  // A string table fixture ("text/strings.txt" or "text/strings_de.txt")
  // as the engine's string manager.
  static void installStrings(const char16_t* name = u"text/strings.txt") {
    gamelib::StringManagerPtr strings = new gamelib::StringManager();
    strings->load(name, gamelib::StringManager::ByteLines, true);
    guilib::GUIEngine::getInstance()->setStringManager(strings);
  }

  // Scripted input through the host, as the window would deliver it.
  static qel::host::GameEngine& input() { return *qel::host::GameEngine::instance(); }

  // The panel as a PNG in the build tree ("output/gui-png/<name>.png").
  static void dumpScreen(const std::string& name) {
    const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x) pixels.push_back(rgbOf(screen.viewPixel(x, y)));
    const std::filesystem::path folder = nvtest::outputFolder("output/gui-png");
    std::ofstream(folder / (name + ".png"), std::ios::binary) << testPng(screen.width(), screen.height(), pixels);
  }

  // The panel's pixel as 0xRRGGBB with the low bits RGB565 drops cleared.
  static uint32_t pixel(int x, int y) { return rgbOf(wce::DeviceScreen::instance().viewPixel(x, y)); }
  static uint32_t through565(uint32_t rgb) { return nvtest::through565(rgb); }

  GameFolder folder;
  wce::ManualClock clock{1000};

private:
  static uint32_t rgbOf(uint16_t p) {
    return (uint32_t{p} >> 11 & 31) << 19 | (uint32_t{p} >> 5 & 63) << 10 | (uint32_t{p} & 31) << 3;
  }

  class ScriptedGame final : public gamelib::Game {
  public:
    static inline Frame setup;
    static inline std::vector<Frame> frames;
    static inline size_t next = 0;
    static gamelib::GamePtr make() { return new ScriptedGame(); }

    void initStatics() override {
      tables_.mapPlaces = new qel::lang::DintArray2d(9);
      for (int i = 0; i < 9; ++i) tables_.mapPlaces->at(i) = new qel::lang::DintArray(3);
      tables_.mapPoints = new qel::lang::DshortArray2d(5, 2);
      tables_.spriteTable = new qel::lang::DshortArray2d(53, 6);
      tables_.shortRows = new qel::lang::DshortArray2d(7);
    }
    gamelib::ResTables& layoutTables() override { return tables_; }
    void setDerivedLayout(int32_t, int32_t, int32_t) override {}
    void init() override {
      if (setup) setup();
    }
    void step() override {
      if (next >= frames.size()) {
        gamelib::GameLib::exitApp();
        return;
      }
      frames[next++]();
      guilib::GUIEnginePtr engine = guilib::GUIEngine::getInstance();
      while (guilib::GUIActionPtr action = engine->takeNextAction()) engine->executeAction(action);
      engine->update();
    }
    void paint(qel::lcdui::DGraphicsPtr) override { guilib::GUIEngine::getInstance()->paint(false); }
    void onPause() override {}
    bool saveOnExit() override { return false; }
    void saveLevelState() override {}
    void shutdown() override { guilib::GUIEngine::getInstance()->destroyInstance(); }
    void releaseStatics() override {}

  private:
    gamelib::ResTables tables_;
  };

  wce::ScopedClockSource clockScope_;
};
