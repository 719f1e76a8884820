#include "lang/DshortArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using TickerTest = MapFixture;

qel::lang::DshortArrayPtr glyphs(int n) { return new qel::lang::DshortArray(n); }

// Ticks until the line is gone or stands still; the ticks counted and the
// x where it stood.
struct TickerRun {
  int ticks;
  bool dropped;
  int x;
};
TickerRun runTicker(int limit) {
  for (int t = 1; t <= limit; ++t) {
    const int before = GameState::tickerX;
    Ticker::tickTicker();
    if (!GameState::tickerText) return {t, true, GameState::tickerX};
    if (GameState::tickerX == before) return {t - 1, false, before};
  }
  return {limit, false, GameState::tickerX};
}

// Three letters of 7 pixels through a window of 50 from x 10: a line enters
// at x 60 and has left once it ends left of 10.
TEST_F(TickerTest, LoopValues) {
  nvtest::writable(GameState::tickerRunning) = 1;
  struct Row {
    int8_t loops;
    int ticks;
    bool dropped;
    int standsAt;
  };
  const Row rows[] = {
      {1, 72, true, 0},     // one pass: gone once scrolled out on the left
      {2, 144, true, 0},    // two passes
      {-1, 22, false, 38},  // scrolls in until its end is one pixel inside
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.loops));
    nvtest::writable(GameState::tickerRunning) = 1;
    Ticker::setTicker(glyphs(3), 10, 200, 50, row.loops);
    EXPECT_EQ(GameState::tickerX, 60);
    const TickerRun run = runTicker(400);
    EXPECT_EQ(run.ticks, row.ticks);
    EXPECT_EQ(run.dropped, row.dropped);
    if (row.dropped) {
      EXPECT_EQ(GameState::tickerRunning, 0);
    } else {
      EXPECT_EQ(run.x, row.standsAt);
      EXPECT_EQ(run.x + 21, 59);
    }
  }
}

TEST_F(TickerTest, WaitingLineStartsAfterThreePasses) {
  nvtest::writable(GameState::tickerRunning) = 1;
  Ticker::setTicker(glyphs(20), 10, 200, 50, Ticker::waitThenScroll);
  nvtest::writable(GameState::tickerX) = 10;
  for (int pass = 0; pass <= 3; ++pass) {
    GameState::tickerPassCount = pass;
    Ticker::tickTicker();
    EXPECT_EQ(GameState::tickerX, 10) << pass;
  }
  GameState::tickerPassCount = 4;
  Ticker::tickTicker();
  EXPECT_EQ(GameState::tickerLoops, Ticker::scrollInOnce);
  EXPECT_EQ(GameState::tickerX, 9);
}

TEST_F(TickerTest, StandsWhileNeitherRunningNorShopping) {
  Ticker::setTicker(glyphs(3), 10, 200, 50, 1);
  Ticker::tickTicker();
  EXPECT_EQ(GameState::tickerX, 60);
  nvtest::writable(GameState::shopMode) = 1;
  Ticker::tickTicker();
  EXPECT_EQ(GameState::tickerX, 59);
}

// The place hint is set for the place's position, so it shows once the
// cursor stands there; in training its once-only hint waits to be read.
TEST_F(TickerTest, PlaceHintAndItsOnceOnlyFlag) {
  struct Row {
    int8_t difficulty;
    bool alreadyShown;
    bool running;
    bool pending;
    bool flagAfter;
  };
  const Row rows[] = {
      {0, false, false, false, false},  // outside training never pending
      {-1, false, false, true, false},  // training: pending until read
      {-1, true, false, false, true},   // read before
      {-1, false, true, false, true},   // the line runs: counts as read
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << int(row.difficulty) << row.alreadyShown << row.running);
    placeCursorAt(7);
    GameState::difficulty = row.difficulty;
    GameTables::options[7 + 7] = row.alreadyShown;
    nvtest::writable(GameState::tickerRunning) = row.running;
    Ticker::showPlaceHint();
    EXPECT_EQ(GameState::hintPending, row.pending);
    EXPECT_EQ(GameTables::options[7 + 7] != 0, row.flagAfter);
    EXPECT_EQ(text(GameState::tickerText), "Plan the job at the table.");
    EXPECT_EQ(GameState::tickerPlaceX, GameTables::mapPlaces[7][0]);
    EXPECT_EQ(GameState::tickerPlaceY, GameTables::mapPlaces[7][1]);
    EXPECT_EQ(GameState::tickerY, GameState::viewHeight - GameState::textLineHeight - 2);
  }
}

// The right soft key turns the description on (reading a pending hint) and off.
TEST_F(TickerTest, RightSoftKeySwitchesTheDescription) {
  GameState::difficulty = -1;
  placeCursorAt(0);
  GameState::pendingKey = KeyInput::softKeyRight;
  MapScreen::updateMapScreen();
  EXPECT_EQ(GameState::tickerRunning, 1);
  EXPECT_EQ(text(GameState::tickerText), "The job: briefing, tips and bail.");
  EXPECT_TRUE(GameTables::options[7]);
  EXPECT_EQ(GameState::hintPending, 0);
  GameState::pendingKey = KeyInput::softKeyRight;
  MapScreen::updateMapScreen();
  EXPECT_EQ(GameState::tickerRunning, 0);
  EXPECT_FALSE(GameState::tickerText);
}

TEST_F(TickerTest, ItemLineWaitsAtTheLeftEdge) {
  GameTables::shopGrid[1][0] = 'i';
  GameState::shopColumn = 1;
  nvtest::writable(GameState::shopLineX) = 20;
  nvtest::writable(GameState::shopLineY) = 80;
  nvtest::writable(GameState::shopLineWidth) = 150;
  GameState::tickerPassCount = 9;
  Ticker::showItemLine();
  EXPECT_EQ(text(GameState::tickerText), "  Hammer $120 15kg");
  EXPECT_EQ(GameState::tickerX, 20);
  EXPECT_EQ(GameState::tickerLoops, Ticker::waitThenScroll);
  EXPECT_EQ(GameState::tickerPassCount, 0);
}

// From y 60 the bubble grows downwards and its line stands below the place;
// from y 61 upwards.
TEST_F(TickerTest, BubbleDirectionAtSixtyAndSixtyOne) {
  nvtest::writable(GameState::tickerRunning) = 1;
  GameState::tickerText = glyphs(4);
  const qel::lcdui::DGraphicsPtr g = GameState::backImage->getGraphics();
  Overlays::paintSpeechBubble(g, 30, 60, false);
  EXPECT_GT(GameState::tickerY, 60 + 3 * 14 - 16);
  const int below = GameState::tickerY;
  Overlays::paintSpeechBubble(g, 30, 61, false);
  EXPECT_LT(GameState::tickerY, 61 - 3 * 14);
  EXPECT_GT(below, GameState::tickerY + 80);
  // The line's window is the bubble's box of seven middle pieces, centred.
  const int middle = Overlays::spriteWidth(SpriteRows::spriteBubbleMiddle);
  EXPECT_EQ(GameState::tickerWidth, 7 * middle);
  EXPECT_EQ(GameState::tickerLeft, 120 - (7 * middle) / 2);
}

// The bubble, its line and the hint button stand at the map cursor's place
// as soon as the cursor goes there, while the hand still glides towards it.
TEST_F(TickerTest, BubbleLineAndHintFollowTheMapCursorNotTheGlidingHand) {
  GameState::difficulty = -1;
  nvtest::writable(GameState::pulsePhase) = 20;
  placeCursorAt(4);
  nvtest::writable(MapScreen::cursorX) -= 40;
  nvtest::writable(MapScreen::cursorY) += 30;
  Ticker::showPlaceHint();
  nvtest::writable(GameState::tickerRunning) = 1;
  nvtest::writable(GameState::tickerLeft) = -1;
  const qel::lcdui::DImagePtr screen = qel::lcdui::DImage::createImage(240, 320);
  const qel::lcdui::DGraphicsPtr g = screen->getGraphics();
  Overlays::paintSpeechBubble(g, GameState::tickerPlaceX + 1, GameState::tickerPlaceY, true);
  EXPECT_EQ(GameState::tickerLeft, -1) << "no bubble away from the cursor";
  Overlays::paintSpeechBubble(g, GameState::tickerPlaceX, GameState::tickerPlaceY, true);
  ASSERT_NE(GameState::tickerLeft, -1);

  const uint32_t blank = nvtest::pixel(screen, 0, 0);
  auto lineDrawn = [&] {
    for (int x = GameState::tickerLeft; x < GameState::tickerLeft + GameState::tickerWidth; ++x)
      for (int y = GameState::tickerY; y < GameState::tickerY + GameState::textLineHeight; ++y)
        if (nvtest::pixel(screen, x, y) != blank) return true;
    return false;
  };
  g->setClip(0, 0, 240, 320);
  g->setColor(blank);
  g->fillRect(0, 0, 240, 320);
  nvtest::writable(GameState::tickerX) = GameState::tickerLeft;
  Ticker::paintTicker(g);
  EXPECT_TRUE(lineDrawn()) << "the place's text in the bubble";

  KeyInput::clearHotZones();
  Overlays::paintHintBlink(g);
  EXPECT_NE(GameTables::hotZones[5][1], 0) << "the hint button";

  GameState::cursorTargetX += 1;
  g->setClip(0, 0, 240, 320);
  g->fillRect(0, 0, 240, 320);
  Ticker::paintTicker(g);
  EXPECT_FALSE(lineDrawn()) << "the cursor went elsewhere";
}

}  // namespace
}  // namespace nvx
