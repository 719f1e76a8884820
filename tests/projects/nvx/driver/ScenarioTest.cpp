#include <gtest/gtest.h>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"

namespace {

// The loading bar along the bottom: its framed box, in pixels.
int loadingBarWidth(const Panel& panel) {
  int inside = 0;
  for (int x = 0; x < panel.width; ++x) inside += panel.at(x, panel.height - 2) == rgb565(0xB2003E);
  return inside == 0 ? 0 : inside + 2;
}

bool shows(const Panel& panel, uint16_t colour) {
  for (uint16_t pixel : panel.pixels)
    if (pixel == colour) return true;
  return false;
}

const Panel& checkpoint(const HeadlessGame::Start& start, const std::string& name) {
  static const Panel none;
  auto it = start.checkpoints.find(name);
  EXPECT_NE(it, start.checkpoints.end()) << "no checkpoint " << name;
  return it == start.checkpoints.end() ? none : it->second;
}

// A first start that chose German.
HeadlessGame::Start firstRun(HeadlessGame& game) {
  HeadlessGame::Start start = game.start(driverScript("first-run"));
  EXPECT_EQ(start.failure, "") << start.log;
  return start;
}

TEST(ScenarioTest, TheFirstRunChoosesALanguageLoadsAndReachesTheMainMenu) {
  HeadlessGame game("first-run");
  const HeadlessGame::Start start = firstRun(game);
  EXPECT_EQ(compareWithGolden("first-run", start.log), "");
  const Panel& language = checkpoint(start, "language");
  EXPECT_TRUE(shows(language, rgb565(0xffce00))) << "the German flag's gold";
  EXPECT_TRUE(shows(language, rgb565(0xc8102e))) << "the English flag's red";
  EXPECT_EQ(contentOf(game.user() / "langid"), std::string("\0\0\0\1", 4));
  EXPECT_EQ(contentOf(game.user() / "registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx/k.option/v.1").size(), 18u)
      << "16 option bytes and the two volumes";
  // The last bar painted before step 12 is step 11's, three tenths of the width; before 22 eight tenths.
  EXPECT_EQ(loadingBarWidth(checkpoint(start, "splash-12")), 72);
  EXPECT_EQ(loadingBarWidth(checkpoint(start, "splash-22")), 192);
}

TEST(ScenarioTest, ASecondStartRemembersTheLanguageAndShowsNoInformation) {
  HeadlessGame game("second-start");
  firstRun(game);
  const HeadlessGame::Start start = game.start(driverScript("second-start"));
  EXPECT_EQ(start.failure, "");
  EXPECT_EQ(compareWithGolden("second-start", start.log), "");
  EXPECT_EQ(start.log.find("record langid"), std::string::npos) << "the stored language is kept";
  EXPECT_EQ(start.log.find("dialog 21"), std::string::npos) << "the information text shows on the first run only";
}

TEST(ScenarioTest, ExitInTheMainMenuEndsTheGame) {
  HeadlessGame game("quit");
  firstRun(game);
  const HeadlessGame::Start start = game.start(driverScript("quit"));
  EXPECT_EQ(start.failure, "");
  EXPECT_EQ(compareWithGolden("quit", start.log), "");
  EXPECT_EQ(start.log.find("script done"), std::string::npos) << "the game ended before the script's last wait";
}

// Escape is the right soft key: back in a window with a back key (the best
// results menu: "OK" and "Zurück"), nothing in one with "OK" only (the
// options), exactly as F2.
TEST(ScenarioTest, EscapeIsBackWhereAWindowHasABackKey) {
  HeadlessGame game("escape-back");
  firstRun(game);
  const HeadlessGame::Start start = game.start(R"(
until state=5 timeout=10s
key Return
until dialog=48 timeout=20s
key F1
until dialog=22 timeout=5s
key Down
key Down
key Down
key Down
key Return
until dialog=45 timeout=2s
key Esc
until dialog=22 timeout=2s
key Down
key Return
until dialog=4 timeout=2s
key Esc
wait 500ms
until dialog=4 timeout=100ms
key F2
wait 500ms
until dialog=4 timeout=100ms
key F1
until dialog=22 timeout=2s
)");
  EXPECT_EQ(start.failure, "") << start.log;
}

TEST(ScenarioTest, TheMainMenuTourVisitsEveryItem) {
  HeadlessGame game("main-menu-tour");
  firstRun(game);
  const HeadlessGame::Start start = game.start(driverScript("main-menu-tour"));
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("main-menu-tour", start.log), "");
}

TEST(ScenarioTest, TrainingHiresPlansAWalkAndStartsTheBreakIn) {
  HeadlessGame game("training-start");
  firstRun(game);
  const HeadlessGame::Start start = game.start(driverScript("training-start"));
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("training-start", start.log), "");
  EXPECT_NE(start.log.find("dialog 2 title \"Pip\""), std::string::npos) << "the one person of the first job";
  EXPECT_NE(start.log.find("transition 1 run"), std::string::npos) << "the break-in started";
}

TEST(ScenarioTest, TrainingOneOpensTheHallDoorAndReachesItsResult) {
  HeadlessGame game("training-one");
  firstRun(game);
  const HeadlessGame::Start start = game.start(driverScript("training-one"));
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("training-one", start.log), "");
  const size_t use = start.log.find("dialog 8 title \"Benutzen\" items \"Brecheisen\"");
  const size_t leave = start.log.find("dialog 17 ");
  const size_t result = start.log.find("dialog 38 title \"Ergebnis\" body \"Übungsziel erreicht.\"");
  EXPECT_NE(use, std::string::npos) << "the bought crowbar is offered at the door";
  EXPECT_NE(leave, std::string::npos) << "the crew stands on the exit";
  EXPECT_NE(result, std::string::npos) << "the training goal's result on the map screen";
  EXPECT_TRUE(use < leave && leave < result);
}

// Whether the two pictures differ inside the rectangle.
bool differ(const Panel& a, const Panel& b, int left, int top, int width, int height) {
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x)
      if (a.at(x, y) != b.at(x, y)) return true;
  return false;
}

// Moving over the map in training: at the van, the right soft key brings its
// text up in a bubble over the map; the job's menu then opens the briefing.
TEST(ScenarioTest, TheMapShowsAPlacesTextAtTheCursorAndTheJobMenuTheBriefing) {
  HeadlessGame game("map-places");
  firstRun(game);
  const HeadlessGame::Start start = game.start(driverScript("map-places"));
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("map-places", start.log), "");
  const size_t van = start.log.find("line \"Zum Auftrag fahren und die Pläne ablaufen lassen.\"");
  EXPECT_NE(van, std::string::npos) << "the van's text";
  EXPECT_LT(start.log.find("checkpoint van\n"), van);
  EXPECT_TRUE(differ(checkpoint(start, "van"), checkpoint(start, "van-text"), 0, 30, 240, 120))
      << "the bubble stands over the map below the van";
  EXPECT_NE(start.log.find("dialog 41 title \"Übung\" body \"Übung 1", van), std::string::npos)
      << "the briefing from the job's menu";
}

// A job of the game proper shows its briefing from the job's menu.
TEST(ScenarioTest, AJobsBriefingOpensFromItsMenu) {
  HeadlessGame game("job-briefing");
  firstRun(game);
  const HeadlessGame::Start start = game.start(jobStart(1) + driverScript("job-briefing"));
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("job-briefing", start.log), "");
  EXPECT_NE(start.log.find("dialog 41 title \"Auftrag 1\" body "), std::string::npos) << start.log;
}

TEST(ScenarioTest, TheTrainingLevelsArePlayedInARowToTheirGoalsAndTheTrainingsEnd) {
  HeadlessGame game("training-all");
  firstRun(game);
  const HeadlessGame::Start start = game.start(trainingInARow(), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("training-all", start.log), "");
  const std::string goal = "dialog 38 title \"Ergebnis\" body \"Übungsziel erreicht.\"";
  int goals = 0;
  size_t last = 0;
  for (size_t at = start.log.find(goal); at != std::string::npos; at = start.log.find(goal, at + 1)) {
    ++goals;
    last = at;
  }
  EXPECT_EQ(goals, 6) << "each training level ends with its goal reached";
  EXPECT_EQ(start.log.find("Übungsziel verfehlt"), std::string::npos);
  const size_t end =
      start.log.find("dialog 40 title \"Übung beendet\" body \"Du hast die Übung abgeschlossen.\"", last);
  ASSERT_NE(end, std::string::npos) << "the training's end after the last result";
  EXPECT_NE(start.log.find("record save1/1 deleted", end), std::string::npos) << "the saved game is deleted";
  EXPECT_NE(start.log.find("dialog 22 ", end), std::string::npos) << "back in the main menu";
}

}  // namespace
