#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "ProgramRun.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The program started on a program folder of its own (engine.ini beside
// whatever "game.dat" the case leaves there), with no window.
class ArchiveFailureTest : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directories(program());
    std::ofstream(program() / "engine.ini") << "resolution=240x320\n";
  }

  fs::path program() const { return root / "program folder"; }

  nvtest::ProgramOutcome run() const { return nvtest::runProgram(program(), root / "user", root); }

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
    const nvtest::ProgramOutcome outcome = run();
    const std::string output = outcome.output + outcome.errors;
    EXPECT_EQ(outcome.status, 1) << c.name << ": " << output;
    EXPECT_NE(output.find("nightvault: The data archive \"game.dat\" " + std::string(c.says)), std::string::npos)
        << c.name << ": " << output;
    EXPECT_NE(output.find("It was looked for at " + (program() / "game.dat").string() + "."), std::string::npos)
        << c.name << ": " << output;
  }
}

}  // namespace
