// One whole frame of level play on a headless device: the world's step, the
// game's paint and the flush of the canvas into the panel, while planning
// and while a run plays, at 240 x 320 and 480 x 640, each on its screen's
// pictures and layout tables of the demo data set. The plain copy of the
// same canvas into the panel is the yardstick beside it.

#include <benchmark/benchmark.h>
#include <memory>

#include "gamelib/GameLib.h"
#include "gamelib/ImageManager.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "nvx/src/play/EnteringPlay.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/NightvaultGame.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/HostDouble.h"
#include "tests/support/Writable.h"
#include "tools/demodata/lib/DataSet.h"

namespace {

using nvx::EnteringPlay;
using nvx::FrameClock;
using nvx::GameState;
using nvx::GameTables;
using nvx::LanguageTexts;
using nvx::LevelStart;
using nvx::MainCanvas;
using nvx::Path;
using nvx::Person;
using nvx::SpriteDrawing;
using nvx::StateMachine;
using nvx::WorldRules;
using nvx::WorldState;

constexpr int benchLevel = 12;
constexpr int planSteps = 598;

const nv::demodata::DataSet& demoData() {
  static const nv::demodata::DataSet data = nv::demodata::DataSet::build(NV_SOURCE_DIR "/data");
  return data;
}

Person& person(int id) { return *static_cast<Person*>(GameTables::persons[id].get()); }

// A plan walking to and fro between the exit's two seats in row dy from it
// (the exit itself is never reached, which would end the run).
void walkToAndFro(Person& p, int dy) {
  p.resetPlan();
  p.steps->removeAllElements();
  const int ex = WorldState::exitX, y = WorldState::exitY + dy;
  for (int i = 0; i < planSteps; ++i) {
    const bool east = i % 2 == 0;
    p.steps->addElement(new Path(east ? ex : ex + 1, y, Path::Walk, east ? 2 : 0, 0));
  }
  p.steps->addElement(new Path(ex, y, 0, 0, 0));
}

// The demo level on a memory panel of the size, with two planned persons,
// set up for planning or for the run.
class LevelOnPanel {
public:
  LevelOnPanel(int width, int height, bool running) : host_(width, height) {
    for (const auto& entry : demoData().entries()) folder_.addEntry(entry.name, entry.data);
    folder_.openArchive();
    const std::string folder = std::to_string(width) + "x" + std::to_string(height) + "/";
    gamelib::GameLib::setSearchPath(
        gamelib::GameLib::pathPrefixes(std::u16string(folder.begin(), folder.end()).c_str()));
    canvas_ = new gamelib::ScreenCanvas();
    host_.display->setCurrent(canvas_);

    // The statics and the screen's layout tables, as the game library sets them up.
    game_.initStatics();
    gamelib::ResTables& tables = game_.layoutTables();
    gamelib::GameLib::loadResData(tables);
    const qel::lang::DshortArray2dPtr& t = tables.spriteTable;
    game_.setDerivedLayout((t->at(9)->at(3) - t->at(38)->at(3) + 1) >> 1, t->at(9)->at(3) + 2, t->at(44)->at(2));
    for (int id = 0; id < GameTables::persons->length(); ++id) GameTables::persons[id] = new Person(id);
    GameState::pictures = new qel::lang::DObjectArray(8);
    GameState::pictures[0] = gamelib::GameLib::loadImage(u"abc_en");
    for (int i = 1; i <= 6; ++i) SpriteDrawing::loadPicture(i);
    LanguageTexts::loadLanguage();
    GameState::guiImages = new gamelib::ImageManager();
    GameState::guiImages->load(u"img/gui");
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = width;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) = height;

    GameState::difficulty = 0;
    LevelStart::startLevel(benchLevel);
    GameState::pendingTransition = 0;
    GameTables::activePersons->removeAllElements();
    for (int id : {2, 3}) GameTables::activePersons->addElement(&person(id));
    walkToAndFro(person(2), -1);
    walkToAndFro(person(3), 1);
    EnteringPlay::setUpLevel();
    if (running) {
      GameState::levelCounter = 1 << 20;
      WorldState::phase = 0;  // the vehicle has arrived
    } else {
      EnteringPlay::enterPlanning();
      WorldState::phase = 0;
      GameState::selectionIndex = 0;
      WorldState::selectedPerson = &person(2);
      WorldState::stepIndex = 40;
    }
    WorldState::sceneDirty = 1;
  }
  ~LevelOnPanel() {
    WorldState::trailGraphics = nullptr;
    WorldState::trailImage = nullptr;
    WorldState::selectedPerson = nullptr;
    GameState::guiImages = nullptr;
    MainCanvas::releaseStatics();
    host_.display->setCurrent(nullptr);
    canvas_ = nullptr;
    gamelib::GameLib::setSearchPath(nullptr);
    gamelib::LangInfo::releaseInstance();
  }

  // A phase change of the game clock in level play: one world tick.
  void step() {
    nvtest::writable(FrameClock::clockTick) =
        static_cast<int8_t>((FrameClock::clockTick + 1) % FrameClock::phasesPerCycle);
    nvtest::writable(FrameClock::clockPhase) = FrameClock::clockTick;
    WorldRules::worldTick();
  }
  // As the game library repaints: a fresh context on the canvas each frame.
  void paint() {
    gamelib::ScreenCanvas::screenGraphics = canvas_->getGraphics();
    StateMachine::paint(gamelib::ScreenCanvas::screenGraphics);
  }
  void flush() { canvas_->flushGraphics(); }

  // Whether the frame reached the panel: the level's colours above the bar.
  bool panelShowsLevel() const {
    return GameState::gameState == StateMachine::stateLevel && host_.backend.presents > 0 &&
           host_.backend.pixel(GameState::screenWidth / 2, GameState::screenHeight / 3) !=
               host_.backend.pixel(1, GameState::screenHeight - 2);
  }

  // The plans replayed from their start before they run out.
  void rewindWhenDone() {
    if (WorldState::stepIndex < planSteps - 10) return;
    WorldState::stepIndex = 0;
    for (int i = 0; i < GameTables::activePersons->size(); ++i)
      static_cast<Person*>(GameTables::activePersons->elementAt(i))->resetToStart();
  }

private:
  nvx::NightvaultGame game_;
  GameFolder folder_;
  HostDouble host_;
  qel::lang::DPtr<gamelib::ScreenCanvas> canvas_;
};

void BM_GameFrame(benchmark::State& state) {
  const bool running = state.range(2) != 0;
  LevelOnPanel level(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), running);
  if (GameState::cellSize != 24 * state.range(0) / 240) {
    state.SkipWithError("the screen's layout tables were not loaded");
    return;
  }
  // A clock cycle first: the frame reaches the panel and a run moves on.
  const int16_t firstStep = WorldState::stepIndex;
  for (int i = 0; i < FrameClock::phasesPerCycle; ++i) {
    level.step();
    level.paint();
    level.flush();
  }
  if (!level.panelShowsLevel()) {
    state.SkipWithError("the level did not reach the panel");
    return;
  }
  if (running && WorldState::stepIndex == firstStep) {
    state.SkipWithError("the run did not move");
    return;
  }
  for (auto _ : state) {
    level.step();
    level.paint();
    level.flush();
    // A rare rewind, timed with the frames: pausing the timer costs more than it.
    if (running) level.rewindWhenDone();
  }
  if (GameState::gameState != StateMachine::stateLevel) state.SkipWithError("level play was left");
  state.SetLabel(running ? "run" : "planning");
}
BENCHMARK(BM_GameFrame)->Args({240, 320, 0})->Args({240, 320, 1})->Args({480, 640, 0})->Args({480, 640, 1});

void BM_PanelCopy(benchmark::State& state) {
  LevelOnPanel level(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), false);
  for (auto _ : state) level.flush();
}
BENCHMARK(BM_PanelCopy)->Args({240, 320})->Args({480, 640});

}  // namespace
