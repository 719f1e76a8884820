#pragma once

#include <cstdint>

#include "gamelib/Game.h"
#include "gamelib/ResTables.h"

namespace nvx {

// The game as the game library runs it: its statics, the layout tables
// "res.dat" overwrites, start, frame step and paint, pause and shutdown.
class NightvaultGame final : public gamelib::Game {
public:
  std::string getClassName() const override { return "NightvaultGame"; }

  // Makes GameLib create this game.
  static void registerWithGameLib();

  void initStatics() override;
  // The game's own tables, and its nine layout bytes as they stand.
  gamelib::ResTables& layoutTables() override;
  // Takes the layout bytes "res.dat" gave, and the derived values.
  void setDerivedLayout(int32_t cursorOffsetY, int32_t layoutValue2, int32_t layoutValue3) override;
  void init() override;
  void step() override;
  void paint(qel::lcdui::DGraphicsPtr g) override;
  void onPause() override;
  bool saveOnExit() override;
  void saveLevelState() override;
  void shutdown() override;
  void releaseStatics() override;

private:
  gamelib::ResTables tables_;
};

}  // namespace nvx
