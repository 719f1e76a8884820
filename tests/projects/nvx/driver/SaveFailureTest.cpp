#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "HeadlessGame.h"
#include "ScenarioScripts.h"

namespace fs = std::filesystem;

namespace {

// Saves that cannot be written: the player is told once for each, in the
// game's own window, the error stream names the store and the reason, and
// what was saved before stays as it was for the next start.

const std::string notice =
    "dialog 0 title \"Hinweis\" body \"Das Spiel konnte nicht gespeichert werden. Was zuvor gespeichert war, bleibt "
    "erhalten.\" keys \"OK\"";

const std::string savedGameOffered = "dialog 27 title \"Nightvault\" items \"Weiter\" | \"Neues Spiel\"";

// The saved game the main menu's new game offers, continued, up to its map screen.
const std::string continueSavedGame = R"(
key Return
until dialog=27 timeout=2s
key Return
until state=3 timeout=10s
wait 2s
)";

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

HeadlessGame::Start played(HeadlessGame& game, const std::string& script, std::optional<uint64_t> fileSizeLimit = {}) {
  HeadlessGame::Start start = game.start(script, 120000, fileSizeLimit);
  EXPECT_EQ(start.failure, "") << start.log;
  return start;
}

// A full disk: files cannot grow past four bytes (the stored language still
// fits), so the sound options, the new game over the saved training and, at
// the end, the level in progress all fail. Each is told once; the training stays saved and is continued on
// the next start.
TEST(SaveFailureTest, OnAFullDiskEveryFailedSaveIsToldOnceAndTheSavedGameStays) {
  HeadlessGame game("save-full");
  played(game, driverScript("first-run"));
  played(game,
         mainMenuWithoutSound() + newGameAt(0) + "until level=1 timeout=5s\nuntil dialog=41 timeout=10s\nwait 1s\n");
  const auto saved = game.storedFiles({"save1"});
  const auto options = game.storedFiles({"option"});
  const auto inProgress = game.storedFiles({"path"});
  ASSERT_EQ(saved.size(), 2u);
  ASSERT_EQ(inProgress.size(), 1u);

  const HeadlessGame::Start full = played(game,
                                          mainMenuWithoutSound() + R"(
key Down
key Return
until dialog=4 timeout=2s
key F1
until dialog=0 timeout=2s
checkpoint notice
key F1
until dialog=22 timeout=2s
key Return
until dialog=27 timeout=2s
key Down
key Return
until dialog=37 timeout=2s
key Down
key Down
key Down
key Return
until level=7 timeout=5s
until dialog=0 timeout=10s
key F1
until state=3 timeout=5s
wait 2s
)",
                                          4);
  EXPECT_EQ(count(full.log, notice), 2u) << full.log;
  EXPECT_EQ(full.log.find("record save1/"), std::string::npos) << full.log;
  EXPECT_EQ(linesOf(full.errors),
            (std::vector<std::string>{"record store \"option\": not saved: File too large",
                                      "record store \"save1\": not saved: File too large",
                                      "record store \"path\": not saved: File too large"}));
  EXPECT_EQ(game.storedFiles({"save1"}), saved) << "the saved game and nothing more";
  EXPECT_EQ(game.storedFiles({"option"}), options);
  EXPECT_EQ(game.storedFiles({"path"}), inProgress) << "the training's level in progress, kept with its saved game";

  const HeadlessGame::Start next = played(game, mainMenuWithoutSound() + continueSavedGame);
  EXPECT_NE(next.log.find(savedGameOffered), std::string::npos) << next.log;
  EXPECT_EQ(next.log.find(notice), std::string::npos);
  EXPECT_NE(next.log.find("\nlevel 1\n"), std::string::npos) << "the training continues: " << next.log;
  EXPECT_EQ(next.errors.find("not used"), std::string::npos) << next.errors;
}

// A plain file where the user folder should be: nothing can be read or
// written. The defaults of the options and the new game are told of, and
// the folder, put back, still holds the game saved before.
TEST(SaveFailureTest, AUserFolderThatIsAFileTellsOfEachSaveAndLeavesTheSavedGame) {
  HeadlessGame game("save-no-folder");
  played(game, driverScript("first-run"));
  played(game, newGame(2));
  const auto saved = game.storedFiles({"save1"});
  ASSERT_EQ(saved.size(), 2u);

  const fs::path aside = game.user().string() + ".aside";
  fs::rename(game.user(), aside);
  std::ofstream(game.user()) << "not a folder\n";
  const HeadlessGame::Start blocked = played(game, R"(
until state=5 timeout=10s
key Down
key Return
until dialog=0 timeout=20s
key F1
until dialog=48 timeout=5s
key F2
until dialog=22 timeout=5s
)" + newGameAt(2) + R"(
until level=7 timeout=5s
until dialog=0 timeout=10s
key F1
until state=3 timeout=5s
wait 2s
)");
  fs::remove(game.user());
  fs::rename(aside, game.user());
  EXPECT_EQ(count(blocked.log, notice), 2u) << blocked.log;
  EXPECT_EQ(linesOf(blocked.errors),
            (std::vector<std::string>{"record store \"option\": not saved: Not a directory",
                                      "record store \"save1\": not saved: Not a directory",
                                      "record store \"path\": not saved: Not a directory"}));
  EXPECT_EQ(game.storedFiles({"save1"}), saved);

  const HeadlessGame::Start next = played(game, mainMenuWithoutSound() + continueSavedGame);
  EXPECT_NE(next.log.find(savedGameOffered), std::string::npos) << next.log;
  EXPECT_EQ(next.log.find(notice), std::string::npos);
  EXPECT_NE(next.log.find("\nlevel 7\n"), std::string::npos) << next.log;
}

}  // namespace
