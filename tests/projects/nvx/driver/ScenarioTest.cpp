#include <gtest/gtest.h>

#include "HeadlessGame.h"

namespace {

TEST(ScenarioTest, Smoke) {
  HeadlessGame game("smoke");
  HeadlessGame::Start start = game.start("until state=5 timeout=5s\ncheckpoint language\nwait 1s\n");
  std::cout << start.log << "failure: " << start.failure << "\n";
}

}  // namespace
