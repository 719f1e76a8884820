#include <gtest/gtest.h>
#include <vector>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"

namespace {

class JobSolutionTest : public testing::TestWithParam<int> {};

TEST_P(JobSolutionTest, TheSolutionEndsInAPayOut) {
  const int job = GetParam();
  const std::string name = jobNames().at(static_cast<std::size_t>(job - 1));
  const std::filesystem::path solution = solutionFile(name);
  ASSERT_TRUE(std::filesystem::exists(solution)) << "every job has a solution: " << solution;
  HeadlessGame game(name);
  ASSERT_EQ(game.start(driverScript("first-run")).failure, "");
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

INSTANTIATE_TEST_SUITE_P(Jobs, JobSolutionTest, testing::Range(1, 21),
                         [](const testing::TestParamInfo<int>& info) { return "job" + std::to_string(info.param); });

}  // namespace
