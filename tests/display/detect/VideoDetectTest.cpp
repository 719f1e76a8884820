#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "display/detect/DriverChoice.h"
#include "display/detect/VideoDetect.h"
#include "display/device/Log.h"
#include "tests/display/LogFolderEnvironment.h"
#include "tests/display/device/probe/DeviceProbe.h"
#include "tests/support/TempFolder.h"

namespace tdlx::testing {
namespace {

// Detections that find what the test sets, recording which ran.
class FakeProbes final : public DriverProbes {
public:
  std::optional<ModeRecord> gdiMode, vgaMode, gapiMode, directMode, strongArmMode, xscaleMode, imageonMode, mediaQMode;
  bool gxPresent = false;
  ProcessorKind processor = ProcessorKind::Other;
  std::vector<std::string> ran;
  int orientationFixes = 0;

  bool gdi(ModeRecord& mode) override { return found("gdi", gdiMode, mode); }
  bool osVersion(std::uint32_t& major, std::uint32_t& minor) override {
    major = 5;
    minor = 2;
    return true;
  }
  bool vga(ModeRecord& mode) override { return found("vga", vgaMode, mode); }
  void applyOrientationFix() override { ++orientationFixes; }
  bool gapi(ModeRecord& mode) override { return found("gapi", gapiMode, mode); }
  bool gapiLibraryPresent() override { return gxPresent; }
  bool direct(ModeRecord& mode) override { return found("direct", directMode, mode); }
  ProcessorKind processorKind() override { return processor; }
  bool strongArmLcd(ModeRecord& mode) override { return found("strongarm", strongArmMode, mode); }
  bool xscaleLcd(ModeRecord& mode) override { return found("xscale", xscaleMode, mode); }
  bool imageon(ModeRecord& mode) override { return found("imageon", imageonMode, mode); }
  bool mediaQ(ModeRecord& mode) override { return found("mediaq", mediaQMode, mode); }

private:
  bool found(const char* name, const std::optional<ModeRecord>& result, ModeRecord& mode) {
    ran.emplace_back(name);
    if (!result) return false;
    mode = *result;
    return true;
  }
};

ModeRecord mode(std::uint32_t width, std::uint32_t height, std::uint32_t bits = 16,
                std::uint32_t orientation = kUnknownOrientation, std::uint32_t kind = 0) {
  return ModeRecord{width, height, bits, width * 2, orientation, kind, 0x1000};
}

using Ids = std::vector<std::uint32_t>;
using Names = std::vector<std::string>;

TEST(VideoDetectTest, ATwentyFourBitScreenHasOnlyGdi) {
  FakeProbes probes;
  probes.gdiMode = mode(240, 320, 24);
  probes.vgaMode = mode(240, 320);
  const VideoDetect detect(probes);
  EXPECT_EQ(detect.drivers(), Ids{kGdiDriver});
  EXPECT_EQ(probes.ran, Names{"gdi"});
  EXPECT_EQ(detect.mode().orientation, 0u);
}

TEST(VideoDetectTest, VgaStopsDetection) {
  FakeProbes probes;
  probes.gdiMode = mode(240, 320);
  probes.vgaMode = mode(240, 320, 16, 0);
  probes.gapiMode = mode(240, 320);
  const VideoDetect detect(probes);
  EXPECT_EQ(detect.drivers(), (Ids{kGdiDriver, kVgaDriver}));
  EXPECT_EQ(probes.ran, (Names{"gdi", "vga"}));
  EXPECT_EQ(probes.orientationFixes, 0);
}

TEST(VideoDetectTest, VgaTransposedFromGdiAppliesTheOrientationFix) {
  FakeProbes probes;
  probes.gdiMode = mode(320, 240);
  probes.vgaMode = mode(240, 320, 16, 3);
  const VideoDetect detect(probes);
  EXPECT_EQ(probes.orientationFixes, 1);
}

TEST(VideoDetectTest, GapiStopsOnlyWithAlwaysDrawableBuffer) {
  for (std::uint32_t kind : {0u, 1u, 2u}) {
    FakeProbes probes;
    probes.gdiMode = mode(240, 320);
    probes.gapiMode = mode(240, 320, 16, 0, kind);
    probes.processor = ProcessorKind::XScale;
    const VideoDetect detect(probes);
    EXPECT_EQ(detect.drivers(), (Ids{kGdiDriver, kGapiDriver})) << kind;
    if (kind == 2) {
      EXPECT_EQ(probes.ran, (Names{"gdi", "vga", "gapi"}));
    } else {
      EXPECT_EQ(probes.ran, (Names{"gdi", "vga", "gapi", "xscale", "imageon", "mediaq"})) << kind;
    }
  }
}

TEST(VideoDetectTest, DirectOnlyWithoutGxLibrary) {
  FakeProbes probes;
  probes.gdiMode = mode(240, 320);
  probes.directMode = mode(240, 320, 16, 0, 2);
  probes.gxPresent = true;
  VideoDetect withGx(probes);
  EXPECT_EQ(withGx.drivers(), Ids{kGdiDriver});
  EXPECT_EQ(probes.ran, (Names{"gdi", "vga", "gapi", "imageon", "mediaq"}));

  probes.gxPresent = false;
  probes.ran.clear();
  VideoDetect withoutGx(probes);
  EXPECT_EQ(withoutGx.drivers(), (Ids{kGdiDriver, kDirectDriver}));
  EXPECT_EQ(probes.ran, (Names{"gdi", "vga", "gapi", "direct"}));
}

TEST(VideoDetectTest, ProcessorKindPicksTheLcdDetection) {
  FakeProbes probes;
  probes.gdiMode = mode(240, 320);
  probes.processor = ProcessorKind::StrongArm;
  probes.strongArmMode = mode(240, 320, 16, 0);
  probes.mediaQMode = mode(240, 320);
  const VideoDetect detect(probes);
  EXPECT_EQ(detect.drivers(), (Ids{kGdiDriver, kStrongArmDriver}));
  EXPECT_EQ(probes.ran, (Names{"gdi", "vga", "gapi", "direct", "strongarm"}));
}

TEST(VideoDetectTest, OrientationLists) {
  struct Case {
    ModeRecord found;
    std::vector<OrientationEntry> expected;
  };
  for (const Case& c : {
           Case{mode(240, 320, 16, 0), {{240, 320, 0}, {320, 240, 1}, {240, 320, 2}, {320, 240, 3}}},
           Case{mode(320, 240, 16, 3), {{320, 240, 3}, {240, 320, 0}, {320, 240, 1}, {240, 320, 2}}},
           Case{mode(480, 854, 16, 1), {{480, 854, 1}, {854, 480, 0}}},
           Case{mode(176, 220, 16, 2), {{176, 220, 2}, {176, 220, 0}}},
           Case{mode(176, 220, 16, 0), {{176, 220, 0}}},
       }) {
    FakeProbes probes;
    probes.gdiMode = c.found;
    probes.vgaMode = c.found;
    const VideoDetect detect(probes);
    EXPECT_EQ(detect.orientations(), c.expected) << c.found.width << "x" << c.found.height;
  }
}

class ChoiceTest : public ::testing::Test {
protected:
  void SetUp() override {
    setLogFolder(folder_.path());
    restartLog();
  }
  void TearDown() override {
    setLogFolder(LogFolderEnvironment::folder());
    restartLog();
  }
  std::vector<std::string> logLines() const {
    std::ifstream file(folder_ / kLogFileName);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  nvtest::TempFolder folder_{"tdlx-choice"};
};

// A dead window makes every real driver fail to initialise.
TEST_F(ChoiceTest, EveryDriverFailingIsTriedLastFoundFirst) {
  FakeProbes probes;
  probes.gdiMode = mode(240, 320, 16, 0);
  probes.gapiMode = mode(240, 320, 16, 0, 0);
  probes.directMode = mode(240, 320);
  probes.mediaQMode = mode(240, 320);
  const VideoDetect detect(probes);
  ASSERT_EQ(detect.drivers(), (Ids{kGdiDriver, kGapiDriver, kSlowFbDriver}));
  restartLog();
  EXPECT_EQ(chooseDriver(detect, nullptr, DisplayParams{0, 0, 4, 1}), nullptr);
  EXPECT_EQ(logLines(),
            (Names{"CreateDriver( 00000007 )",
                   "Initializing video driver...",
                   "SlowFB: Initialize()",
                   " Failed to initialize driver",
                   "CreateDriver( 00000003 )",
                   "Initializing video driver...",
                   " Failed to initialize driver",
                   "CreateDriver( 00000001 )",
                   "Initializing video driver...",
                   " Failed to initialize driver"}));
}

TEST_F(ChoiceTest, AThrowingDriverIsSkipped) {
  FakeProbes probes;
  probes.gdiMode = mode(240, 320, 16, 0);
  probes.vgaMode = mode(240, 320, 16, 0);
  const VideoDetect detect(probes);
  std::vector<std::uint32_t> made;
  const DriverFactory throwing = [&](std::uint32_t id) -> std::unique_ptr<VideoDriver> {
    made.push_back(id);
    throw std::runtime_error("bad");
  };
  restartLog();
  EXPECT_EQ(chooseDriver(detect, nullptr, DisplayParams{0, 0, 0, 1}, throwing), nullptr);
  EXPECT_EQ(made, (Ids{kVgaDriver, kGdiDriver}));
  EXPECT_EQ(logLines(), (Names{"*** CAUGHT EXCEPTION ***", "*** CAUGHT EXCEPTION ***"}));
}

TEST_F(ChoiceTest, NothingFoundOrOrientationNotOfferedMakesNoDriver) {
  FakeProbes none;
  const VideoDetect empty(none);
  EXPECT_EQ(chooseDriver(empty, nullptr, DisplayParams{0, 0, 4, 1}), nullptr);
  FakeProbes probes;
  probes.gdiMode = mode(176, 220, 16, 0);
  const VideoDetect single(probes);
  restartLog();
  logLine("start");
  EXPECT_EQ(chooseDriver(single, nullptr, DisplayParams{0, 0, 2, 1}), nullptr);
  EXPECT_EQ(logLines(), Names{"start"});
}

}  // namespace
}  // namespace tdlx::testing
