#include "lang/DshortArray.h"
#include "tests/projects/nvx/map/MapFixture.h"

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
    const int before = MainCanvas::tickerX;
    MainCanvas::tickTicker();
    if (!MainCanvas::tickerText) return {t, true, MainCanvas::tickerX};
    if (MainCanvas::tickerX == before) return {t - 1, false, before};
  }
  return {limit, false, MainCanvas::tickerX};
}

// Three letters of 7 pixels through a window of 50 from x 10: a line enters
// at x 60 and has left once it ends left of 10.
TEST_F(TickerTest, LoopValues) {
  MainCanvas::tickerRunning = 1;
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
    MainCanvas::tickerRunning = 1;
    MainCanvas::setTicker(glyphs(3), 10, 200, 50, row.loops);
    EXPECT_EQ(MainCanvas::tickerX, 60);
    const TickerRun run = runTicker(400);
    EXPECT_EQ(run.ticks, row.ticks);
    EXPECT_EQ(run.dropped, row.dropped);
    if (row.dropped) {
      EXPECT_EQ(MainCanvas::tickerRunning, 0);
    } else {
      EXPECT_EQ(run.x, row.standsAt);
      EXPECT_EQ(run.x + 21, 59);
    }
  }
}

TEST_F(TickerTest, WaitingLineStartsAfterThreePasses) {
  MainCanvas::tickerRunning = 1;
  MainCanvas::setTicker(glyphs(20), 10, 200, 50, MainCanvas::waitThenScroll);
  MainCanvas::tickerX = 10;
  for (int pass = 0; pass <= 3; ++pass) {
    MainCanvas::tickerPassCount = pass;
    MainCanvas::tickTicker();
    EXPECT_EQ(MainCanvas::tickerX, 10) << pass;
  }
  MainCanvas::tickerPassCount = 4;
  MainCanvas::tickTicker();
  EXPECT_EQ(MainCanvas::tickerLoops, MainCanvas::scrollInOnce);
  EXPECT_EQ(MainCanvas::tickerX, 9);
}

TEST_F(TickerTest, StandsWhileNeitherRunningNorShopping) {
  MainCanvas::setTicker(glyphs(3), 10, 200, 50, 1);
  MainCanvas::tickTicker();
  EXPECT_EQ(MainCanvas::tickerX, 60);
  MainCanvas::shopMode = 1;
  MainCanvas::tickTicker();
  EXPECT_EQ(MainCanvas::tickerX, 59);
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
    MainCanvas::difficulty = row.difficulty;
    MainCanvas::options[7 + 7] = row.alreadyShown;
    MainCanvas::tickerRunning = row.running;
    MainCanvas::showPlaceHint();
    EXPECT_EQ(MainCanvas::hintPending, row.pending);
    EXPECT_EQ(MainCanvas::options[7 + 7] != 0, row.flagAfter);
    EXPECT_EQ(text(MainCanvas::tickerText), "Plan the job at the table.");
    EXPECT_EQ(MainCanvas::tickerPlaceX, MainCanvas::mapPlaces[7][0]);
    EXPECT_EQ(MainCanvas::tickerPlaceY, MainCanvas::mapPlaces[7][1]);
    EXPECT_EQ(MainCanvas::tickerY, MainCanvas::viewHeight - MainCanvas::textLineHeight - 2);
  }
}

// The right soft key turns the description on (reading a pending hint) and off.
TEST_F(TickerTest, RightSoftKeySwitchesTheDescription) {
  MainCanvas::difficulty = -1;
  placeCursorAt(0);
  MainCanvas::pendingKey = MainCanvas::softKeyRight;
  MainCanvas::updateMapScreen();
  EXPECT_EQ(MainCanvas::tickerRunning, 1);
  EXPECT_EQ(text(MainCanvas::tickerText), "The job: briefing, tips and bail.");
  EXPECT_TRUE(MainCanvas::options[7]);
  EXPECT_EQ(MainCanvas::hintPending, 0);
  MainCanvas::pendingKey = MainCanvas::softKeyRight;
  MainCanvas::updateMapScreen();
  EXPECT_EQ(MainCanvas::tickerRunning, 0);
  EXPECT_FALSE(MainCanvas::tickerText);
}

TEST_F(TickerTest, ItemLineWaitsAtTheLeftEdge) {
  MainCanvas::shopGrid[1][0] = 'i';
  MainCanvas::shopColumn = 1;
  MainCanvas::shopLineX = 20;
  MainCanvas::shopLineY = 80;
  MainCanvas::shopLineWidth = 150;
  MainCanvas::tickerPassCount = 9;
  MainCanvas::showItemLine();
  EXPECT_EQ(text(MainCanvas::tickerText), "  Hammer $120 15kg");
  EXPECT_EQ(MainCanvas::tickerX, 20);
  EXPECT_EQ(MainCanvas::tickerLoops, MainCanvas::waitThenScroll);
  EXPECT_EQ(MainCanvas::tickerPassCount, 0);
}

// From y 60 the bubble grows downwards and its line stands below the place;
// from y 61 upwards.
TEST_F(TickerTest, BubbleDirectionAtSixtyAndSixtyOne) {
  MainCanvas::tickerRunning = 1;
  MainCanvas::tickerText = glyphs(4);
  const qel::lcdui::DGraphicsPtr g = MainCanvas::backImage->getGraphics();
  MainCanvas::paintSpeechBubble(g, 30, 60, false);
  EXPECT_GT(MainCanvas::tickerY, 60 + 3 * 14 - 16);
  const int below = MainCanvas::tickerY;
  MainCanvas::paintSpeechBubble(g, 30, 61, false);
  EXPECT_LT(MainCanvas::tickerY, 61 - 3 * 14);
  EXPECT_GT(below, MainCanvas::tickerY + 80);
  // The line's window is the bubble's box of seven middle pieces, centred.
  const int middle = MainCanvas::spriteWidth(MainCanvas::spriteBubbleMiddle);
  EXPECT_EQ(MainCanvas::tickerWidth, 7 * middle);
  EXPECT_EQ(MainCanvas::tickerLeft, 120 - (7 * middle) / 2);
}

// The bubble, its line and the hint button stand at the map cursor's place
// as soon as the cursor goes there, while the hand still glides towards it.
TEST_F(TickerTest, BubbleLineAndHintFollowTheMapCursorNotTheGlidingHand) {
  MainCanvas::difficulty = -1;
  MainCanvas::pulsePhase = 20;
  placeCursorAt(4);
  MainCanvas::cursorX -= 40;
  MainCanvas::cursorY += 30;
  MainCanvas::showPlaceHint();
  MainCanvas::tickerRunning = 1;
  MainCanvas::tickerLeft = -1;
  const qel::lcdui::DImagePtr screen = qel::lcdui::DImage::createImage(240, 320);
  const qel::lcdui::DGraphicsPtr g = screen->getGraphics();
  MainCanvas::paintSpeechBubble(g, MainCanvas::tickerPlaceX + 1, MainCanvas::tickerPlaceY, true);
  EXPECT_EQ(MainCanvas::tickerLeft, -1) << "no bubble away from the cursor";
  MainCanvas::paintSpeechBubble(g, MainCanvas::tickerPlaceX, MainCanvas::tickerPlaceY, true);
  ASSERT_NE(MainCanvas::tickerLeft, -1);

  const uint32_t blank = nvtest::pixel(screen, 0, 0);
  auto lineDrawn = [&] {
    for (int x = MainCanvas::tickerLeft; x < MainCanvas::tickerLeft + MainCanvas::tickerWidth; ++x)
      for (int y = MainCanvas::tickerY; y < MainCanvas::tickerY + MainCanvas::textLineHeight; ++y)
        if (nvtest::pixel(screen, x, y) != blank) return true;
    return false;
  };
  g->setClip(0, 0, 240, 320);
  g->setColor(blank);
  g->fillRect(0, 0, 240, 320);
  MainCanvas::tickerX = MainCanvas::tickerLeft;
  MainCanvas::paintTicker(g);
  EXPECT_TRUE(lineDrawn()) << "the place's text in the bubble";

  MainCanvas::clearHotZones();
  MainCanvas::paintHintBlink(g);
  EXPECT_NE(MainCanvas::hotZones[5][1], 0) << "the hint button";

  MainCanvas::cursorTargetX += 1;
  g->setClip(0, 0, 240, 320);
  g->fillRect(0, 0, 240, 320);
  MainCanvas::paintTicker(g);
  EXPECT_FALSE(lineDrawn()) << "the cursor went elsewhere";
}

}  // namespace
}  // namespace nvx
