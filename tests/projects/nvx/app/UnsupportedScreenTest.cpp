#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "ProgramRun.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The program on the demo data set, on a device whose screen is given by a
// profile file, with no window; standard error apart from standard output.
class UnsupportedScreenTest : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string build = "'" NV_DEMODATA "' '" NV_SOURCE_DIR "/data' '" + program().string() + "' > '" +
                              (root / "demodata.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(build.c_str()), 0) << nvtest::readWhole(root / "demodata.txt");
  }

  fs::path program() const { return root / "program"; }

  nvtest::ProgramOutcome runOn(const std::string& screen) const {
    std::ofstream(root / "device.txt") << "screen = " << screen << "\n";
    return nvtest::runProgram(
        program(), root / "user", root, "NIGHTVAULT_DEVICE='" + (root / "device.txt").string() + "'");
  }

  const nvtest::TempFolder folder{"nv-screen"};
  const fs::path root = folder.path();
};

TEST_F(UnsupportedScreenTest, AScreenWithoutAResolutionFileEndsTheProgramWithAFailureNamingItsSize) {
  const nvtest::ProgramOutcome outcome = runOn("200x200");
  EXPECT_EQ(outcome.status, 1) << outcome.errors;
  const std::string line =
      "nightvault: the screen size 200 x 200 is not supported: \"game.dat\" has no resolution file for it\n";
  const size_t at = outcome.errors.find(line);
  ASSERT_NE(at, std::string::npos) << outcome.errors;
  EXPECT_EQ(outcome.errors.find("200 x 200", at + line.size()), std::string::npos) << "one line: " << outcome.errors;
}

}  // namespace
