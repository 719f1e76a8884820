#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gamelib/Game.h"
#include "gamelib/ScreenCanvas.h"
#include "io/DInputStream.ptr.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"
#include "microedition/midlet/DMIDlet.h"

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

  // A new application, null when it cannot be made.
  static qel::lang::DPtr<GameLib> createApplication();
  // The factory of the game; GameLib makes no game without one.
  static void registerGame(GameFactory factory);

  void startApp() override;
  void step() override;
  int64_t millisUntilStep() override;
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
  // Why the data archive did not open at the last start; none when it did.
  static std::optional<std::u16string> archiveFailure();
  struct ScreenSize {
    int32_t width;
    int32_t height;
  };
  // The screen size that ended the last start at the unsupported-resolution
  // screen; none when the start went on.
  static std::optional<ScreenSize> unsupportedScreen();
  static void createMainCanvas();
  static void loadResData(ResTables& tables);
  // Hands the game the three layout values measured on the sprite table of
  // tables, the game's layout tables as res.dat filled them.
  static void deriveLayout(Game& game, const ResTables& tables);
  static void showUnsupportedResolution();

  // The resource lookup of the game: the data archive first (the name
  // itself, then each search prefix + name), then files beside the program.
  // Prefixes ending in "/"; a null array means the one empty prefix.
  static void setSearchPath(qel::lang::DObjectArrayPtr prefixes);
  static qel::lang::DObjectArrayPtr searchPath();

  // One leading "/" is dropped. The first candidate in the archive opens;
  // when none is there, the candidates are tried as files. An archive error
  // (none open, say) ends the lookup with null.
  static qel::io::DInputStreamPtr getResourceAsStream(const qel::lang::DStringPtr& name);
  // For each candidate, candidate + ".png" and then + ".jpg" in the archive
  // only; the first present is decoded anew. Null when none is found or
  // decoding fails.
  static qel::lcdui::DImagePtr loadImage(const qel::lang::DStringPtr& name);
  // The archive entry's size (-1 when absent, no search path); the file's
  // available() only when the archive cannot be asked; -1 on failure.
  static int32_t getResourceSize(const qel::lang::DStringPtr& name);

  // "/" + width + "x" + height + ".dat".
  static qel::lang::DStringPtr resolutionFileName(int32_t width, int32_t height);
  // The resolution file is an entry of the archive.
  static bool hasResolutionFile(int32_t width, int32_t height);
  // The prefixes of a "PATH" value: split on ';', each made to end in "/".
  static qel::lang::DObjectArrayPtr pathPrefixes(const qel::lang::DStringPtr& pathValue);

  // The schedule and the application's flags: read-only names of storage
  // that only the application (and, for the resolution, the canvas) writes.
  static const int64_t& scheduleTime;
  static const int64_t& lastStepDuration;
  static const bool& resolutionSupported;
  static const bool& exiting;
  // Set from a pause until the game's next frame step, which clears it.
  static const bool& pausedOnce;
  static void clearPausedOnce() { pausedOnce_ = false; }

private:
  // The canvas checks the resolution when the screen size changes.
  friend class ScreenCanvas;

  static inline int64_t scheduleTime_ = 0;
  static inline int64_t lastStepDuration_ = 0;
  static inline bool resolutionSupported_ = false;
  static inline bool exiting_ = false;
  static inline bool pausedOnce_ = false;

  static qel::lang::DStringPtr candidate(const qel::lang::DStringPtr& bare, int32_t index);
  static int32_t candidateCount();
  static int64_t now();
  void showLogo(const qel::lcdui::DImagePtr& logo);
  void holdFor(int64_t ms);
  void stepUnsupported();

  qel::lang::DPtr<ScreenCanvas> canvas_;
};

inline const int64_t& GameLib::scheduleTime = scheduleTime_;
inline const int64_t& GameLib::lastStepDuration = lastStepDuration_;
inline const bool& GameLib::resolutionSupported = resolutionSupported_;
inline const bool& GameLib::exiting = exiting_;
inline const bool& GameLib::pausedOnce = pausedOnce_;

using GameLibPtr = qel::lang::DPtr<GameLib>;

}  // namespace gamelib
