#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gamelib/Game.h"
#include "gamelib/GameLib.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray2d.h"
#include "microedition/backend/DisplayBackend.h"
#include "microedition/displayable/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/raster/RasterSurface.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/core/tavrine/src/common/lang/TestHost.h"

// A display back-end whose screen is a surface in memory.
class MemoryBackend final : public qel::lcdui::DisplayBackend {
public:
  MemoryBackend(int32_t width, int32_t height) : screen_(qel::raster::PF_RGB565, width, height) {}

  const char16_t* getName() const override { return u"memory"; }
  int32_t width() const override { return screen_.width(); }
  int32_t height() const override { return screen_.height(); }
  bool open(wce::HWND, const qel::lcdui::BackendParams&) override { return true; }
  void close() override {}
  bool setUpdateRect(const qel::lcdui::BackendRect&) override { return true; }
  bool begin() override { return true; }
  qel::raster::RasterSurface* getSurface() override { return &screen_; }
  void present() override { ++presents; }

  // The pixel as 0xRRGGBB, each channel widened from RGB565 by bit copying.
  uint32_t pixel(int32_t x, int32_t y) const {
    auto* row = reinterpret_cast<const uint8_t*>(screen_.pixels()) + y * screen_.stride();
    uint16_t p = reinterpret_cast<const uint16_t*>(row)[x];
    uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
  }

  int presents = 0;

private:
  qel::raster::RasterSurface screen_;
};

// A game that records the calls of the game library.
class RecordingGame final : public gamelib::Game {
public:
  static inline std::vector<std::string> calls;
  static inline int steps = 0;
  static inline int paints = 0;
  static inline bool keepLevel = false;
  static inline int derived[3] = {};
  static inline gamelib::ResTables* tables = nullptr;

  static void resetLog() {
    calls.clear();
    steps = paints = 0;
    keepLevel = false;
  }
  static gamelib::GamePtr make() { return new RecordingGame(); }

  ~RecordingGame() override { tables = nullptr; }

  void initStatics() override {
    calls.push_back("initStatics");
    tables_.mapPlaces = new qel::lang::DintArray2d(9);
    for (int i = 0; i < 9; ++i) tables_.mapPlaces->at(i) = new qel::lang::DintArray(3);
    tables_.mapPoints = new qel::lang::DshortArray2d(5, 2);
    tables_.spriteTable = new qel::lang::DshortArray2d(53, 6);
    tables_.shortRows = new qel::lang::DshortArray2d(7);
    tables = &tables_;
  }
  gamelib::ResTables& layoutTables() override { return tables_; }
  void setDerivedLayout(int32_t a, int32_t b, int32_t c) override { derived[0] = a, derived[1] = b, derived[2] = c; }
  void init() override { calls.push_back("init"); }
  void step() override {
    ++steps;
    calls.push_back("step");
  }
  void paint(qel::lcdui::DGraphicsPtr g) override {
    ++paints;
    g->setColor(0x0000FFu);
    g->fillRect(0, 0, 4, 4);
  }
  void onPause() override { calls.push_back("onPause"); }
  bool saveOnExit() override { return keepLevel; }
  void saveLevelState() override { calls.push_back("saveLevelState"); }
  void shutdown() override { calls.push_back("shutdown"); }
  void releaseStatics() override { calls.push_back("releaseStatics"); }

private:
  gamelib::ResTables tables_;
};

// The application object on a memory display, with the manual clock.
class HostDouble {
public:
  explicit HostDouble(int32_t width = 240, int32_t height = 320) : backend(width, height), clockScope(clock) {
    RecordingGame::resetLog();
    gamelib::GameLib::registerGame(&RecordingGame::make);
    app = gamelib::GameLib::createApplication();
    display = new qel::lcdui::DDisplay(&backend);
  }
  ~HostDouble() {
    app->destroyApp(true);
    display.release();
    app.release();
    qel::midlet::DMIDlet::releaseCurrent();
    gamelib::GameLib::registerGame(nullptr);
  }

  MemoryBackend backend;
  qel::lang::TestHost displayHost;
  wce::ManualClock clock{1000};
  wce::ScopedClockSource clockScope;
  gamelib::GameLibPtr app;
  qel::lang::DPtr<qel::lcdui::DDisplay> display;
};
