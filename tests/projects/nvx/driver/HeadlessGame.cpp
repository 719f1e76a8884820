#include "HeadlessGame.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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

// The child's standard error, read through a pipe so that no file size
// limit of the child cuts it short.
class ErrorPipe {
public:
  ErrorPipe() {
    if (::pipe2(ends_, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  }
  ~ErrorPipe() {
    for (int end : ends_)
      if (end >= 0) ::close(end);
  }
  ErrorPipe(const ErrorPipe&) = delete;
  ErrorPipe& operator=(const ErrorPipe&) = delete;

  void becomeStandardError() { ::dup2(ends_[1], STDERR_FILENO); }
  void closeWriteEnd() {
    ::close(ends_[1]);
    ends_[1] = -1;
    ::fcntl(ends_[0], F_SETFL, O_NONBLOCK);
  }
  // Appends what has come so far.
  void drain() {
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends_[0], buffer, sizeof buffer)) != 0;) {
      if (got > 0) {
        text_.append(buffer, static_cast<size_t>(got));
      } else if (errno != EINTR) {
        return;
      }
    }
  }
  const std::string& text() const { return text_; }

private:
  int ends_[2] = {-1, -1};
  std::string text_;
};

// Waits for the child, reading its standard error meanwhile; one that runs too long is ended. Answers what went
// wrong, empty when it exited with 0.
std::string awaitChild(pid_t child, ErrorPipe& errors) {
  const auto deadline = std::chrono::steady_clock::now() + hangLimit;
  int status = 0;
  for (; ::waitpid(child, &status, WNOHANG) == 0; errors.drain()) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return "the game hung";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  errors.drain();
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

HeadlessGame::Start HeadlessGame::start(const std::string& script, uint32_t limitMillis,
                                        std::optional<uint64_t> fileSizeLimit) {
  const std::filesystem::path out = root_ / ("start-" + std::to_string(++starts_));
  std::filesystem::create_directories(out);
  const GameRun run{
      program_, user_, out, scenario_ + "-" + std::to_string(starts_), limitMillis, device_, {}, fileSizeLimit};
  ErrorPipe errors;
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    errors.becomeStandardError();
    ::_exit(run.play(script));
  }
  errors.closeWriteEnd();

  Start result;
  const std::string ended = awaitChild(child, errors);
  result.log = contentOf(out / GameRun::logFile);
  result.failure = ended.empty() ? contentOf(out / GameRun::failureFile) : ended;
  result.errors = errors.text();
  std::fputs(result.errors.c_str(), stderr);
  for (const auto& entry : std::filesystem::directory_iterator(out))
    if (entry.path().extension() == GameRun::panelExtension)
      result.checkpoints[entry.path().stem().string()] = Panel::load(entry.path());
  return result;
}

std::filesystem::path HeadlessGame::storeFolder(const std::string& store) const {
  return user_ / "registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx" / ("k." + store);
}

std::map<std::string, std::string> HeadlessGame::storedFiles(const std::vector<std::string>& stores) const {
  std::map<std::string, std::string> files;
  for (const std::string& store : stores) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(storeFolder(store), error))
      files[store + "/" + entry.path().filename().string()] = contentOf(entry.path());
  }
  return files;
}
