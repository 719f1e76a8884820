#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"

namespace {

const char* const winnerRecord = "registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx/k.winner/v.1";

// A best-results name in the glyphs of the name entry: 0 the space, 1-26
// the capitals, 27-52 the small letters.
std::vector<int> glyphsOf(const std::string& name) {
  std::vector<int> glyphs;
  for (char c : name) glyphs.push_back(c >= 'a' ? c - 'a' + 27 : c >= 'A' ? c - 'A' + 1 : 0);
  return glyphs;
}

// The "winner" record: five names of five big-endian glyph shorts, five
// big-endian amounts, zeros to 90 bytes.
std::string winnerBytes(const std::vector<std::string>& names, const std::vector<int>& amounts) {
  std::string bytes;
  for (const std::string& name : names)
    for (int glyph : glyphsOf(name)) bytes += {static_cast<char>(glyph >> 8), static_cast<char>(glyph)};
  for (int amount : amounts)
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(amount >> shift);
  bytes.resize(90, '\0');
  return bytes;
}

// Where `what` is first found in `log` from `from` on; fails the test when it is not.
size_t after(const std::string& log, size_t from, const std::string& what) {
  const size_t at = log.find(what, from);
  EXPECT_NE(at, std::string::npos) << "no \"" << what << "\" after offset " << from;
  return at == std::string::npos ? log.size() : at;
}

// The last jobs of a new game at difficulty 2: job 19 through the hidden
// code, then job 20 from the level-end menu, each with its solution; then the
// game's end, the best results with a name entered, the table shown.
TEST(WholeGameTest, ANewGameAtDifficultyTwoWinsTheLastJobsAndEntersTheBestResults) {
  HeadlessGame game("whole-game");
  ASSERT_EQ(game.start(driverScript("first-run")).failure, "");
  const HeadlessGame::Start start = game.start(
      jobStart(19) + withCheckpointPrefix(contentOf(solutionFile("job-19-governor-villa")), "job19-") +
          driverScript("next-job") + withCheckpointPrefix(contentOf(solutionFile("job-20-national-museum")), "job20-") +
          driverScript("game-completed"),
      900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("whole-game", start.log), "");

  const std::string& log = start.log;
  size_t at = after(log, 0, "level 25");
  at = after(log, at, "dialog 11 title \"Ergebnis\"");
  at = after(log, at, "level 26");
  at = after(log, at, "dialog 11 title \"Ergebnis\"");
  at = after(log, at, "dialog 14 title \"Nightvault\" items \"Nächster Auftrag\"");
  at = after(
      log, at, "dialog 15 title \"Gut gemacht\" body \"Jeder Auftrag ist erledigt. Du setzt dich reich zur Ruhe.\"");
  at = after(log, at, "state 4");
  at = after(log, at, "record save1/1 deleted");
  at = after(log, at, "dialog 22 ");
  at = after(log, at, "record winner/1");
  after(log, at, "state 4");

  const std::vector<int> money = moneyLines(log);
  ASSERT_FALSE(money.empty());
  const int score = money.back();
  ASSERT_GT(score, 10000) << "the last row of the default table is beaten";
  ASSERT_LT(score, 20000);
  EXPECT_EQ(contentOf(game.user() / winnerRecord),
            winnerBytes({"Geist", "Motte", "Falke", "Otter", "Nacht"}, {100000, 50000, 30000, 20000, score}))
      << "the money takes the last row under the entered name";
}

}  // namespace
