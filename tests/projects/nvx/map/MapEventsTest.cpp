#include <memory>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/media/DManager.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOutDriver.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using MapEventsTest = MapFixture;

// A level's result waits on the map screen until the next phase change,
// which opens its window in place of a glide step.
TEST_F(MapEventsTest, ResultEventsOpenTheirWindows) {
  struct Row {
    int16_t message;
    uint8_t dialog;
    const char* title;
    const char* body;
  };
  const Row rows[] = {
      {150, 11, "Result", "You took 80 percent. Loot 4000, your part 3200."},
      {151, 11, "Result", "You took 80 percent. Loot 4000, your part 3200 after the late pick-up."},
      {152, 31, "Result", "Nothing was taken."},
      {153, 38, "Result", "Training goal reached."},
      {164, 15, "Well done", "Every job is done. You retire rich."},
      {165, 40, "Training over", "You finished the training."},
  };
  WorldState::resultValues = new qel::lang::DObjectArray(3);
  WorldState::resultValues[0] = new qel::lang::DInteger(80);
  WorldState::resultValues[1] = new qel::lang::DInteger(4000);
  WorldState::resultValues[2] = new qel::lang::DInteger(3200);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    StateMachine::enter(StateMachine::stateMapScreen);
    GameState::mapMessage = row.message;
    nvtest::writable(MapScreen::cursorX) = GameState::cursorTargetX - 4;
    MapScreen::tickMapScreen();
    EXPECT_EQ(DialogWindow::dialogId, row.dialog);
    EXPECT_EQ(text(DialogWindow::titleText), row.title);
    EXPECT_EQ(text(DialogWindow::bodyText), row.body);
    EXPECT_EQ(GameState::mapMessage, MapScreen::noMessage);
    EXPECT_EQ(MapScreen::cursorX, GameState::cursorTargetX - 4);
  }
}

// The last job's next job sets the game's end and asks for the map screen
// again while it still shows: the window waits for that entry.
TEST_F(MapEventsTest, AResultWaitsForTheRequestedMapScreen) {
  GameState::mapMessage = 164;
  GameState::pendingTransition = 3;
  MapScreen::tickMapScreen();
  EXPECT_EQ(GameState::gameState, StateMachine::stateMapScreen);
  EXPECT_EQ(GameState::mapMessage, 164);
  GameState::pendingTransition = 0;
  MapScreen::tickMapScreen();
  EXPECT_EQ(DialogWindow::dialogId, 15);
  EXPECT_EQ(GameState::mapMessage, MapScreen::noMessage);
}

// Message 2 shows its hint in training and is followed by the briefing.
TEST_F(MapEventsTest, HintThenBriefing) {
  GameState::difficulty = -1;
  GameState::levelNumber = 1;
  GameState::mapMessage = MapScreen::hintMessage;
  MapScreen::tickMapScreen();
  EXPECT_EQ(DialogWindow::dialogId, 42);
  EXPECT_EQ(text(DialogWindow::bodyText), "Something has changed on the map. Look at the places again.");
  EXPECT_EQ(GameState::mapMessage, MapScreen::briefingMessage);
  StateMachine::enter(StateMachine::stateMapScreen);
  MapScreen::tickMapScreen();
  EXPECT_EQ(DialogWindow::dialogId, 41);
  EXPECT_EQ(text(DialogWindow::titleText), "Training");
  EXPECT_EQ(GameState::mapMessage, MapScreen::noMessage);
}

// The hint button blinks over the right soft key while the place's hint
// waits, in the second half of the pulse; it is the right soft key's zone.
TEST_F(MapEventsTest, HintButtonBlinks) {
  GameState::difficulty = -1;
  placeCursorAt(0);
  Ticker::showPlaceHint();
  ASSERT_EQ(GameState::hintPending, 1);
  const qel::lcdui::DGraphicsPtr g = GameState::backImage->getGraphics();
  struct Row {
    int8_t pulse;
    bool shown;
  };
  for (const Row& row : {Row{12, false}, Row{13, true}, Row{24, true}, Row{1, false}}) {
    KeyInput::clearHotZones();
    nvtest::writable(GameState::pulsePhase) = row.pulse;
    Overlays::paintHintBlink(g);
    const int x = 240 - Overlays::spriteWidth(SpriteRows::spriteItemLine) - 2;
    const int y =
        GameState::cursorOffsetY - Overlays::spriteHeight(SpriteRows::spriteBottomBar) + GameState::viewHeight;
    EXPECT_EQ(KeyInput::hotZoneAt(x + 5, y + 5) == 5, row.shown) << int(row.pulse);
  }
  nvtest::writable(GameState::pulsePhase) = 20;
  KeyInput::clearHotZones();
  nvtest::writable(GameState::shopMode) = 1;
  Overlays::paintHintBlink(g);
  EXPECT_EQ(GameTables::hotZones[5][1], 0);
}

// "Retries:" and then the count beside it, on difficulties with limited retries.
TEST_F(MapEventsTest, RetriesStandBesideTheirLabel) {
  auto paint = [](int8_t difficulty) {
    qel::lcdui::DImagePtr image = qel::lcdui::DImage::createImage(240, 320);
    GameState::difficulty = difficulty;
    GameState::retriesLeft = 2;
    Overlays::paintRetries(image->getGraphics());
    return image;
  };
  qel::lcdui::DImagePtr label = qel::lcdui::DImage::createImage(240, 320);
  const int y = GameState::viewHeight - GameState::textLineHeight - 3;
  const qel::lang::DshortArrayPtr text260 = LanguageTexts::getText(260);
  BitmapText::drawText(label->getGraphics(), text260, 3, y);
  const int labelEnd = 3 + GameState::textCharWidth * text260->length();
  const qel::lcdui::DImagePtr shown = paint(1);
  bool countDrawn = false;
  for (int x = 0; x < 240; ++x)
    for (int j = y; j < y + GameState::textLineHeight; ++j) {
      if (x < labelEnd)
        EXPECT_EQ(nvtest::pixel(shown, x, j), nvtest::pixel(label, x, j)) << x << "," << j;
      else
        countDrawn = countDrawn || nvtest::pixel(shown, x, j) != nvtest::pixel(label, x, j);
    }
  EXPECT_TRUE(countDrawn);
  const qel::lcdui::DImagePtr none = paint(0);
  const qel::lcdui::DImagePtr blank = qel::lcdui::DImage::createImage(240, 320);
  for (int x = 0; x < 240; x += 3) EXPECT_EQ(nvtest::pixel(none, x, y + 4), nvtest::pixel(blank, x, y + 4));
}

// The game's sounds on the real players over the deterministic wave-out.
class MapMusicTest : public MapFixture {
protected:
  void SetUp() override {
    wce::installWaveOutDriver(driver_);
    qel::media::DManager::initSoundSystem();
    MapFixture::SetUp();
    SplashScreen::loadSounds();
    GameState::sounds->setEnabled(true);
  }
  void TearDown() override {
    GameState::sounds->stop(-1, false);
    GameState::sounds.release();
    MapFixture::TearDown();
    qel::media::DManager::releaseSoundSystem();
    wce::installWaveOutDriver(nullptr);
  }

  std::shared_ptr<wce::ManualWaveOutDriver> driver_ = std::make_shared<wce::ManualWaveOutDriver>();
  wce::ManualClock clock_{5000};
  wce::ScopedClockSource clockScope_{clock_};
};

// Entering the map screen starts the menu music unless it plays, or the
// briefing or a hint is about to start the ticking; the map's pictures are
// current, zones and held keys gone.
TEST_F(MapMusicTest, EnteringTheMapScreen) {
  struct Row {
    int16_t message;
    bool menuBefore;
    bool menuAfter;
    bool tikAfter;
  };
  const Row rows[] = {
      {-1, false, true, false}, {9, false, false, true}, {2, false, false, true}, {-1, true, true, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    GameState::sounds->stop(-1, false);
    ASSERT_TRUE(GameState::sounds->play(17, true, 0));
    if (row.menuBefore) {
      ASSERT_TRUE(GameState::sounds->play(14, true, 0));
    }
    GameState::mapMessage = row.message;
    StateMachine::enter(StateMachine::stateLevel);
    KeyInput::setHotZone(3, 10, 10, 20, 20);
    GameState::pendingKey = '5';
    MapScreen::enterMapScreen();
    EXPECT_EQ(GameState::gameState, StateMachine::stateMapScreen);
    EXPECT_EQ(GameState::sounds->isPlaying(14), row.menuAfter);
    EXPECT_EQ(GameState::sounds->isPlaying(17), row.tikAfter);
    EXPECT_EQ(KeyInput::hotZoneAt(15, 15), -1);
    EXPECT_EQ(GameState::pendingKey, GameState::noKey);
    EXPECT_EQ(GameState::mapFullRepaint, 1);
    EXPECT_TRUE(GameState::pictures[2]);
  }
}

}  // namespace
}  // namespace nvx
