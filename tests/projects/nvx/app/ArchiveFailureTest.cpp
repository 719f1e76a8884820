#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>

#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status = -1;
  std::string output;
};

// The program started on a program folder of its own (engine.ini beside
// whatever "game.dat" the case leaves there), with no window.
class ArchiveFailureTest : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directories(program());
    std::ofstream(program() / "engine.ini") << "resolution=240x320\n";
  }

  fs::path program() const { return root / "program folder"; }

  Outcome run() const {
    const fs::path log = root / "output.txt";
    const std::string command = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NIGHTVAULT_PROGRAM_DIR='" +
                                program().string() + "' NIGHTVAULT_USER_DIR='" + (root / "user").string() +
                                "' timeout 60 '" NV_NIGHTVAULT "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(std::istreambuf_iterator<char>(in), {})};
  }

  const nvtest::TempFolder folder{"nv-archive"};
  const fs::path root = folder.path();
};

TEST_F(ArchiveFailureTest, AnUnusableArchiveEndsTheProgramWithAFailureThatSaysWhy) {
  const struct {
    const char* name;
    const char* content;  // null: no file
    const char* says;
  } cases[] = {
      {"missing", nullptr, "is missing"},
      {"empty", "", "is empty"},
      {"damaged", "PK\x03\x04 this is no archive at all", "cannot be read ("},
  };
  for (const auto& c : cases) {
    fs::remove(program() / "game.dat");
    if (c.content) std::ofstream(program() / "game.dat", std::ios::binary) << c.content;
    const Outcome outcome = run();
    EXPECT_EQ(outcome.status, 1) << c.name << ": " << outcome.output;
    EXPECT_NE(outcome.output.find("nightvault: The data archive \"game.dat\" " + std::string(c.says)),
              std::string::npos)
        << c.name << ": " << outcome.output;
    EXPECT_NE(outcome.output.find("It was looked for at " + (program() / "game.dat").string() + "."), std::string::npos)
        << c.name << ": " << outcome.output;
  }
}

}  // namespace
