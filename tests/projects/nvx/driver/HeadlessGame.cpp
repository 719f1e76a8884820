#include "HeadlessGame.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <stdlib.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "GameRun.h"
#include "ScenarioScripts.h"
#include "tools/demodata/lib/DataSet.h"

namespace {

constexpr auto hangLimit = std::chrono::seconds(120);

const nv::demodata::DataSet& demoData() {
  static const nv::demodata::DataSet set = nv::demodata::DataSet::build(std::filesystem::path(NV_SOURCE_DIR) / "data");
  return set;
}

// Waits for the child; one that runs too long is ended. Answers what went wrong, empty when it exited with 0.
std::string awaitChild(pid_t child) {
  const auto deadline = std::chrono::steady_clock::now() + hangLimit;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return "the game hung";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFSIGNALED(status)) return "the game ended on signal " + std::to_string(WTERMSIG(status));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return "the game's process exited with " + std::to_string(WEXITSTATUS(status));
  return {};
}

}  // namespace

HeadlessGame::HeadlessGame(std::string scenario, std::string device)
    : scenario_(std::move(scenario)), device_(std::move(device)) {
  program_ = root_ / "program";
  user_ = root_ / "user";
  std::filesystem::create_directories(user_);
  demoData().writeTo(program_);
}

HeadlessGame::Start HeadlessGame::start(const std::string& script, uint32_t limitMillis) {
  const std::filesystem::path out = root_ / ("start-" + std::to_string(++starts_));
  std::filesystem::create_directories(out);
  GameRun run{program_, user_, out, scenario_ + "-" + std::to_string(starts_), limitMillis, device_, {}};
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) ::_exit(run.play(script));

  Start result;
  const std::string ended = awaitChild(child);
  result.log = contentOf(out / GameRun::logFile);
  result.failure = ended.empty() ? contentOf(out / GameRun::failureFile) : ended;
  for (const auto& entry : std::filesystem::directory_iterator(out))
    if (entry.path().extension() == GameRun::panelExtension)
      result.checkpoints[entry.path().stem().string()] = Panel::load(entry.path());
  return result;
}
