#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <poll.h>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "GameRun.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/store/GameStore.h"

// The real game is started to its main menu, then writes its four record
// stores over and over with two alternating contents until it is killed.
// Every record left behind must be one of the two, and the next start must
// reach the main menu again.
namespace {

namespace fs = std::filesystem;

const char* const stores[] = {"save1", "option", "winner", "path"};

fs::path storeFolder(const fs::path& user, const std::string& store) {
  return user / "registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx" / ("k." + store);
}

// Every file of the four stores by "store/file", leftovers of unfinished
// writes included.
std::map<std::string, std::string> storedFiles(const fs::path& user) {
  std::map<std::string, std::string> files;
  for (const char* store : stores) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(storeFolder(user, store), error))
      files[std::string(store) + "/" + entry.path().filename().string()] = contentOf(entry.path());
  }
  return files;
}

bool unfinishedWrite(const std::string& file) { return file.find("/.t.") != std::string::npos; }

// One version of everything the four stores hold, written through the game's
// own writers from the running game.
void writeVersion(int version) {
  using namespace qel::lang;
  nvx::MainCanvas::money = version == 0 ? 1111 : 2222222;
  nvx::GameStore::saveGame();
  nvx::MainCanvas::options[0] = version == 1;
  nvx::GameStore::saveOptions();
  DObjectArrayPtr names = new DObjectArray(nvx::GameStore::bestResultRows);
  DintArrayPtr scores = new DintArray(nvx::GameStore::bestResultRows);
  for (int32_t row = 0; row < nvx::GameStore::bestResultRows; ++row) {
    DshortArrayPtr name = new DshortArray(nvx::GameStore::bestNameLength);
    for (int32_t i = 0; i < nvx::GameStore::bestNameLength; ++i) name->at(i) = static_cast<int16_t>(version + row + i);
    names->at(row) = name;
    scores->at(row) = (version + 1) * (1000 - row);
  }
  nvx::GameStore::saveBestResults(names, scores);
  nvx::GameStore::saveLevelState();
}

// A child that starts the game to the main menu, says so through the pipe
// and then writes the versions in turn: `versions` times, or until killed
// when negative. Answers the child's id.
pid_t startWriter(const HeadlessGame& game, const fs::path& out, int firstVersion, int versions, int ready) {
  fs::create_directories(out);
  const pid_t child = ::fork();
  if (child != 0) return child;
  GameRun run{game.program(), game.user(), out, "crash", 120000, {}, [=] {
                const char byte = 1;
                if (::write(ready, &byte, 1) != 1) ::_exit(2);
                for (int n = 0; versions < 0 || n < versions; ++n) writeVersion((firstVersion + n) % 2);
                ::_exit(0);
              }};
  ::_exit(run.play(driverScript("second-start")) == 0 ? 3 : 4);
}

// Waits up to the limit for the child's byte; false when it did not come.
bool awaitReady(int ready, std::chrono::milliseconds limit) {
  pollfd fd{ready, POLLIN, 0};
  char byte = 0;
  return ::poll(&fd, 1, static_cast<int>(limit.count())) == 1 && ::read(ready, &byte, 1) == 1;
}

// One writer run to its end, for the two contents of every record.
std::map<std::string, std::string> versionFiles(HeadlessGame& game, const fs::path& out, int version) {
  int pipe[2];
  EXPECT_EQ(::pipe(pipe), 0);
  const pid_t child = startWriter(game, out, version, 1, pipe[1]);
  ::close(pipe[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(pipe[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
  return storedFiles(game.user());
}

TEST(GameCrashTest, RecordsSurviveTheGameKilledWhileWritingThem) {
  HeadlessGame game("crash");
  ASSERT_EQ(game.start(driverScript("first-run")).failure, "");
  const fs::path root = game.user().parent_path();

  const std::map<std::string, std::string> versions[2] = {versionFiles(game, root / "version-0", 0),
                                                          versionFiles(game, root / "version-1", 1)};
  for (const char* store : stores) {
    const std::string record = std::string(store) + "/v.1";
    ASSERT_TRUE(versions[0].count(record) && versions[1].count(record)) << record << " was not written";
    EXPECT_NE(versions[0].at(record), versions[1].at(record)) << record;
  }
  ASSERT_EQ(versions[0].size(), versions[1].size());

  const char* seedText = std::getenv("NV_CRASH_SEED");
  const uint32_t seed = seedText ? static_cast<uint32_t>(std::strtoul(seedText, nullptr, 10)) : std::random_device{}();
  std::printf("crash test seed %u (NV_CRASH_SEED=%u repeats it)\n", seed, seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delayMicros(0, 20000);
  constexpr int rounds = 50;
  std::set<std::string> unfinished;  // leftovers stay until a start clears them
  for (int round = 0; round < rounds; ++round) {
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const int delay = delayMicros(random);
    const pid_t child = startWriter(game, root / ("round-" + std::to_string(round)), round % 2, -1, pipe[1]);
    ::close(pipe[1]);
    const bool started = awaitReady(pipe[0], std::chrono::seconds(60));
    ::close(pipe[0]);
    if (started) std::this_thread::sleep_for(std::chrono::microseconds(delay));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(started) << "round " << round << " (seed " << seed << "): the game did not reach its main menu after "
                         << "the last kill; "
                         << contentOf(root / ("round-" + std::to_string(round)) / GameRun::logFile);

    for (const auto& [file, bytes] : storedFiles(game.user())) {
      if (unfinishedWrite(file)) {
        unfinished.insert(file);
        continue;
      }
      const auto& old = versions[0].find(file);
      ASSERT_NE(old, versions[0].end()) << file << " is no record the game wrote";
      EXPECT_TRUE(bytes == old->second || bytes == versions[1].at(file))
          << "round " << round << " (seed " << seed << ", " << delay << " us): " << file << " is torn";
    }
    for (const auto& [file, bytes] : versions[0])
      EXPECT_TRUE(
          fs::exists(storeFolder(game.user(), file.substr(0, file.find('/'))) / file.substr(file.find('/') + 1)))
          << "round " << round << ": " << file << " went missing";
  }
  std::printf("%d rounds, %zu kills left an unfinished write behind\n", rounds, unfinished.size());

  const HeadlessGame::Start last = game.start(driverScript("second-start"));
  EXPECT_EQ(last.failure, "") << last.log;
}

}  // namespace
