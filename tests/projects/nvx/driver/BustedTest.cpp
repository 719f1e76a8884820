#include <gtest/gtest.h>
#include <sstream>
#include <vector>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"

namespace {

HeadlessGame::Start play(HeadlessGame& game, const std::string& script) {
  EXPECT_EQ(game.start(driverScript("first-run")).failure, "");
  HeadlessGame::Start start = game.start(script, 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  return start;
}

// The log's lines that start with `prefix`, in order.
std::vector<std::string> linesStarting(const std::string& log, const std::string& prefix) {
  std::vector<std::string> found;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

const std::string alarm = "dialog 0 title \"Hinweis\" body \"Alarm! Die Polizei ist unterwegs.\"";
const std::string pipJailed = "dialog 13 title \"Hinweis\" body \"Verhaftet: Pip\"";
const std::string menuWithRetry = "dialog 14 title \"Nightvault\" items \"Nächster Auftrag\" | \"Noch einmal\" keys";
const std::string menuWithoutRetry = "dialog 14 title \"Nightvault\" items \"Nächster Auftrag\" keys";

std::string retryNotice(int left) {
  return "dialog 35 title \"Noch einmal\" body \"Den Auftrag noch einmal versuchen? Versuche übrig: " +
         std::to_string(left) + "\" keys \"OK\"";
}

TEST(BustedTest, WithRetriesTheLevelEndMenuRetriesTheLevelAndCountsTheRetryOff) {
  HeadlessGame game("busted-retry");
  const HeadlessGame::Start start = play(game, newGame(2) + driverScript("busted-job1") + driverScript("busted-rerun"));
  EXPECT_EQ(compareWithGolden("busted-retry", start.log), "");
  const std::string& log = start.log;
  const size_t alarmAt = log.find(alarm);
  const size_t jailAt = log.find(pipJailed);
  const size_t menuAt = log.find(menuWithRetry);
  const size_t retryAt = log.find(retryNotice(3));
  const size_t countedAt = log.find("record save1/2: 02");
  ASSERT_NE(alarmAt, std::string::npos) << "Pip trips the alarm";
  ASSERT_NE(jailAt, std::string::npos) << "the police arrest Pip, left in the back office";
  ASSERT_NE(menuAt, std::string::npos) << "the level-end menu offers the retry";
  ASSERT_NE(retryAt, std::string::npos);
  ASSERT_NE(countedAt, std::string::npos) << "the retry is counted off and stored";
  EXPECT_TRUE(alarmAt < jailAt && jailAt < menuAt && menuAt < retryAt && retryAt < countedAt);
  EXPECT_EQ(log.find("level 8"), std::string::npos) << "the retry plays job 1 again";
  // The retry gives Pip back and the kept plan busts the crew again; two retries are left.
  EXPECT_NE(log.find(pipJailed, countedAt), std::string::npos);
  EXPECT_NE(log.find(menuWithRetry, countedAt), std::string::npos);
}

TEST(BustedTest, OnTheHardestSettingTheRetriesLastTheGameAndWithNoneLeftACaughtLeaderEndsIt) {
  HeadlessGame game("busted-no-retries");
  const HeadlessGame::Start start =
      play(game,
           newGame(3) + driverScript("busted-job1") + driverScript("busted-rerun") + driverScript("busted-rerun") +
               driverScript("busted-rerun") + driverScript("busted-caught"));
  EXPECT_EQ(compareWithGolden("busted-no-retries", start.log), "");
  const std::string& log = start.log;
  EXPECT_EQ(linesStarting(log, "dialog 35 "),
            (std::vector<std::string>{retryNotice(3), retryNotice(2), retryNotice(1)}));
  EXPECT_EQ(linesStarting(log, "record save1/2"),
            (std::vector<std::string>{"record save1/2: 03",
                                      "record save1/2: 02",
                                      "record save1/2: 01",
                                      "record save1/2: 00",
                                      "record save1/2 deleted"}))
      << "three retries for the whole game, none given back by the next job";
  const size_t lastMenu = log.find(menuWithoutRetry);
  ASSERT_NE(lastMenu, std::string::npos) << "no retry is offered once they are used up";
  const size_t nextJob = log.find("level 8", lastMenu);
  ASSERT_NE(nextJob, std::string::npos) << "the game goes on with job 2";
  const size_t caught = log.find("dialog 36 title \"Geschnappt\"", nextJob);
  ASSERT_NE(caught, std::string::npos) << "the leader off the exit is caught when the time runs out";
  const size_t over =
      log.find("dialog 32 title \"Spiel aus\" body \"Keine Versuche mehr. Das Spiel ist aus.\"", caught);
  ASSERT_NE(over, std::string::npos);
  EXPECT_NE(log.find("record save1/1 deleted", over), std::string::npos) << "the ended game's save is gone";
  EXPECT_NE(log.find("state 4", over), std::string::npos) << "the best results follow";
}

TEST(BustedTest, AnArrestedPersonIsBailedOutOnTheNextJobAndCanBeHiredAgain) {
  HeadlessGame game("busted-bail");
  const HeadlessGame::Start start = play(game, newGame(2) + driverScript("busted-job1") + driverScript("busted-bail"));
  EXPECT_EQ(compareWithGolden("busted-bail", start.log), "");
  const std::string& log = start.log;
  const size_t nextJob = log.find("level 8");
  ASSERT_NE(nextJob, std::string::npos);
  EXPECT_NE(log.find("record save1/1: 01 08 00 00 0f 6e 01 04", nextJob), std::string::npos)
      << "the save holds job 2, the money 3950 and Pip (id 4) in jail";
  const std::string jobMenu = "dialog 6 title \"Hinweis\" items ";
  const std::vector<std::string> menus = linesStarting(log, jobMenu);
  ASSERT_EQ(menus.size(), 3u);
  EXPECT_EQ(menus[0].find(jobMenu + "\"Freikaufen\""), 0u) << "the jailed are bailed out from the job menu";
  EXPECT_EQ(menus[2].find("Freikaufen"), std::string::npos) << "no one is left in jail";
  EXPECT_NE(log.find("dialog 29 title \"Gefängnis\" items \"Pip: 8000\"", nextJob), std::string::npos)
      << "the jail list shows each bail";
  const size_t bail = log.find("dialog 30 title \"Pip\" body \"Die Kaution von 8000 zahlen?\"", nextJob);
  const size_t refused = log.find("dialog 0 title \"Hinweis\" body \"Das kostet 8000, du hast 3950.\"", bail);
  const size_t rich = log.find("money 1000000\n", refused);
  const size_t paid = log.find("money 992000\n", rich);
  const size_t hire = log.find("dialog 2 title \"Pip\" items \"Anheuern\"", paid);
  ASSERT_NE(bail, std::string::npos);
  EXPECT_NE(refused, std::string::npos) << "a bail above the money is refused";
  ASSERT_NE(rich, std::string::npos);
  EXPECT_NE(paid, std::string::npos) << "the bail of 8000 is paid";
  EXPECT_NE(hire, std::string::npos) << "Pip is free to hire again";
}

}  // namespace
