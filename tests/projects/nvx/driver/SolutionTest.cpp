#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

#include "Golden.h"
#include "HeadlessGame.h"

namespace {

const std::filesystem::path levels = std::filesystem::path(NV_SOURCE_DIR) / "data/levels";

std::string contentOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string script(const std::string& name) {
  return contentOf(std::filesystem::path(NV_SOURCE_DIR) / "tests/projects/nvx/driver/scripts" / (name + ".txt"));
}

// The level sources of the jobs, in level order.
std::vector<std::string> jobNames() {
  std::vector<std::string> names;
  std::istringstream order(contentOf(levels / "order.txt"));
  for (std::string line; std::getline(order, line);)
    if (line.rfind("job-", 0) == 0) names.push_back(line);
  return names;
}

// From the main menu of a second start: a new game at difficulty 2, then
// the hidden code in the map menu's help text, which starts job `job` with
// the money a new game has; ends on that job's map screen, no window open.
std::string jobStart(int job) {
  return script("job-start") + "key " + std::to_string(job / 10) + "\nkey " + std::to_string(job % 10) +
         "\nuntil level=" + std::to_string(job + 6) + " timeout=5s\nuntil state=3 timeout=5s\nwait 2s\n";
}

// Every "money N" of the log, in order.
std::vector<int> moneyLines(const std::string& log) {
  std::vector<int> money;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("money ", 0) == 0) money.push_back(std::stoi(line.substr(6)));
  return money;
}

class JobSolutionTest : public testing::TestWithParam<int> {};

TEST_P(JobSolutionTest, TheSolutionEndsInAPayOut) {
  const int job = GetParam();
  const std::string name = jobNames().at(static_cast<std::size_t>(job - 1));
  const std::filesystem::path solution = levels / (name + ".solution.txt");
  ASSERT_TRUE(std::filesystem::exists(solution)) << "every job has a solution: " << solution;
  HeadlessGame game(name);
  ASSERT_EQ(game.start(script("first-run")).failure, "");
  const HeadlessGame::Start start = game.start(jobStart(job) + contentOf(solution), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(name, start.log), "");
  EXPECT_NE(start.log.find("level " + std::to_string(job + 6)), std::string::npos) << "the hidden code starts the job";
  const size_t payOut = start.log.find("dialog 11 title \"Ergebnis\"");
  ASSERT_NE(payOut, std::string::npos) << "the break-in's result shows its loot";
  // The share comes in while the run ends, after the last entry into the level.
  const size_t run = start.log.rfind("\nstate 1\n", payOut);
  ASSERT_NE(run, std::string::npos);
  const std::vector<int> before = moneyLines(start.log.substr(0, run));
  const std::vector<int> paid = moneyLines(start.log.substr(run, payOut - run));
  ASSERT_FALSE(before.empty());
  ASSERT_FALSE(paid.empty()) << "no money came in";
  EXPECT_GT(paid.back(), before.back());
}

INSTANTIATE_TEST_SUITE_P(Jobs, JobSolutionTest, testing::Range(1, 21), [](const testing::TestParamInfo<int>& info) {
  return "job" + std::to_string(info.param);
});

}  // namespace
