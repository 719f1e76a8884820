#pragma once

#include <cstdint>

#include "gamelib/ResTables.h"
#include "lang/DObject.h"
#include "lang/DPtr.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace gamelib {

// What the game library calls of the game. The game registers a factory
// with GameLib::registerGame; GameLib makes the game once the data archive,
// the resolution and the logos are done.
class Game : public qel::lang::DObject {
public:
  // Builds the static tables with their defaults.
  virtual void initStatics() = 0;
  // The tables "res.dat" overwrites.
  virtual ResTables& layoutTables() = 0;
  // The three values derived from the sprite table after "res.dat".
  virtual void setDerivedLayout(int32_t cursorOffsetY, int32_t layoutValue2, int32_t layoutValue3) = 0;
  virtual void init() = 0;
  // One due frame, after one queued key event was replayed.
  virtual void step() = 0;
  virtual void paint(qel::lcdui::DGraphicsPtr g) = 0;
  virtual void onPause() = 0;
  // A level in progress that is to be kept at exit.
  virtual bool saveOnExit() = 0;
  virtual void saveLevelState() = 0;
  virtual void shutdown() = 0;
  virtual void releaseStatics() = 0;
};

using GamePtr = qel::lang::DPtr<Game>;
using GameFactory = GamePtr (*)();

}  // namespace gamelib
