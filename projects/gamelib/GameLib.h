#pragma once

#include <cstdint>

#include "gamelib/Game.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/midlet/DMIDlet.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"

namespace gamelib {

// The application object: opens the data archive, checks the resolution,
// shows the logos, makes the game and turns the host's loop passes into
// fixed-period game steps.
//
//   GameLib::registerGame(&makeGame);
//   GameLibPtr app = GameLib::createApplication();
//   app->startApp();
//   while (running) app->step();
class GameLib : public qel::midlet::DMIDlet {
public:
  static constexpr int32_t framePeriod = 42;
  static constexpr int32_t logoHoldMs = 2000;
  static constexpr int32_t partnerLogoHoldMs = 1000;

  GameLib();
  ~GameLib() override;

  std::string getClassName() const override { return "GameLib"; }

  // A new application, null when it cannot be made.
  static qel::lang::DPtr<GameLib> createApplication();
  // The factory of the game; GameLib makes no game without one.
  static void registerGame(GameFactory factory);

  void startApp() override;
  void step() override;
  void pauseApp() override;
  void destroyApp(bool unconditional) override;
  // "app.name" "NVX", "start_fullscreen" "true", else null.
  qel::lang::DStringPtr getAppProperty(qel::lang::DStringPtr key) override;

  static GameLib* instance();
  static Game* mainCanvas();
  static void exitApp();
  static void repaint();
  static void resetSchedule();
  static qel::lang::DStringPtr getVersion();
  static void createMainCanvas();
  static void loadResData(ResTables& tables);
  static void showUnsupportedResolution();

  static int64_t scheduleTime;
  static int64_t lastStepDuration;
  static bool resolutionSupported;
  static bool exitRequested;
  static bool pausedFlag;

private:
  static int64_t now();
  void showLogo(const qel::lcdui::DImagePtr& logo);
  void holdFor(int64_t ms);
  void stepUnsupported();

  qel::lang::DPtr<ScreenCanvas> canvas_;
};

using GameLibPtr = qel::lang::DPtr<GameLib>;

}  // namespace gamelib
