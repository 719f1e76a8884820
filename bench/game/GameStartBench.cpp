// The real game on the real host and game library, headless, at virtual
// time: start-up to the first frame of the main menu, and training level 1
// played by its solution from the main menu to its result. Each start runs
// in a child process (as the driver's tests do); the time reported is the
// child's CPU time, so the logos' holds and the splash's waits, which pass
// on the manual clock, cost only what the game computes meanwhile. The
// child's peak resident set is reported beside it; it includes the pages
// the child shares with this process at the fork (parent_rss_MB).

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sstream>
#include <sys/resource.h>

#include "tests/projects/nvx/driver/HeadlessGame.h"
#include "tests/projects/nvx/driver/ScenarioScripts.h"

namespace {

// The script without its checkpoints: the panel dumps are the tests' cost, not the game's.
std::string withoutCheckpoints(const std::string& script) {
  std::istringstream in(script);
  std::string out, line;
  while (std::getline(in, line))
    if (line.rfind("checkpoint", 0) != 0) out += line + "\n";
  return out;
}

// A later start with German stored: the language screen, the sound question, the main menu.
const char* const toMainMenu =
    "until state=5 timeout=10s\n"
    "key Return\n"
    "until dialog=48 timeout=20s\n"
    "key F2\n"
    "until dialog=22 timeout=5s\n";

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

struct ChildUsage {
  double cpuSeconds;
  long peakKilobytes;
};

ChildUsage childrenUsage() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss};
}

long ownPeakKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Each iteration: a fresh program and user folder, a first run choosing
// German (untimed), then the measured start playing the script.
void playMeasured(benchmark::State& state, const std::string& script, const std::string& expected) {
  const std::string firstRun = withoutCheckpoints(driverScript("first-run"));
  for (auto _ : state) {
    HeadlessGame game("bench");
    if (const auto first = game.start(firstRun); !first.failure.empty()) {
      state.SkipWithError(("the first run failed: " + first.failure).c_str());
      return;
    }
    const ChildUsage before = childrenUsage();
    const HeadlessGame::Start start = game.start(script);
    const ChildUsage after = childrenUsage();
    if (!start.failure.empty() || start.log.find(expected) == std::string::npos) {
      state.SkipWithError(("the start did not get there: " + start.failure).c_str());
      return;
    }
    state.SetIterationTime(after.cpuSeconds - before.cpuSeconds);
    state.counters["peak_rss_MB"] = static_cast<double>(after.peakKilobytes) / 1024.0;
  }
  state.counters["parent_rss_MB"] = static_cast<double>(ownPeakKilobytes()) / 1024.0;
}

void BM_StartToMainMenu(benchmark::State& state) { playMeasured(state, toMainMenu, "script done"); }
BENCHMARK(BM_StartToMainMenu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TrainingOneReplayed(benchmark::State& state) {
  playMeasured(state, withoutCheckpoints(driverScript("training-one")), "Übungsziel erreicht.");
}
BENCHMARK(BM_TrainingOneReplayed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
