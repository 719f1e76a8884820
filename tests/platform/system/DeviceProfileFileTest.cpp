#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/system/ActiveDevice.h"
#include "platform/system/DeviceProfileFile.h"
#include "tests/support/TempFolder.h"

namespace wce {
namespace {

TEST(DeviceProfileFileTest, ReadsEveryKey) {
  const auto result = parseDeviceProfile(
      "# a rotated VGA phone\n"
      "platform = SmartPhone\n"
      "oem = HTC KOVS100 \xC3\xA9\n"
      "os = 4.21.1088\n"
      "screen = 640x480\n"
      "orientation = 270\n"
      "dpi = 131\n"
      "touch = no\n"
      "rotatable = false\n"
      "escape.rawframebuffer = 0\n"
      "escape.gxinfo = yes\n"
      "processor = 0x69052100\n"
      "modules = aygshell.dll, sms.dll phone.dll\n");
  ASSERT_TRUE(result.profile) << result.error;
  const DeviceProfile& profile = *result.profile;
  EXPECT_EQ(profile.platformType, u"SmartPhone");
  EXPECT_EQ(profile.oemInfo, u"HTC KOVS100 \u00E9");
  EXPECT_EQ(profile.osMajor, 4u);
  EXPECT_EQ(profile.osMinor, 21u);
  EXPECT_EQ(profile.osBuild, 1088u);
  EXPECT_EQ(profile.screenWidth, 640);
  EXPECT_EQ(profile.screenHeight, 480);
  EXPECT_EQ(profile.orientation, 3);
  EXPECT_EQ(profile.logPixelsY(), 131);
  EXPECT_FALSE(profile.touchScreen);
  EXPECT_FALSE(profile.rotatable);
  EXPECT_FALSE(profile.rawFrameBufferEscape);
  EXPECT_TRUE(profile.gxInfoEscape);
  EXPECT_EQ(profile.processorId, 0x69052100u);
  EXPECT_EQ(profile.modules, (std::vector<std::string>{"aygshell.dll", "sms.dll", "phone.dll"}));
}

TEST(DeviceProfileFileTest, WindowsEditorFileWithByteOrderMarkAndPreset) {
  const auto result = parseDeviceProfile("\xEF\xBB\xBFpreset = VGA\r\n\r\n  # note\r\noem=Typhoon\r\n");
  ASSERT_TRUE(result.profile) << result.error;
  EXPECT_EQ(result.profile->screenWidth, 480);
  EXPECT_EQ(result.profile->logPixelsY(), 192);
  EXPECT_EQ(result.profile->oemInfo, u"Typhoon");
}

TEST(DeviceProfileFileTest, EmptyFileIsTheDefaultDevice) {
  const auto result = parseDeviceProfile("");
  ASSERT_TRUE(result.profile);
  EXPECT_EQ(result.profile->platformType, u"PocketPC");
}

TEST(DeviceProfileFileTest, BadLinesAreErrorsNamingTheLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"platform = PocketPC\ncolour = blue\n", "line 2: unknown key \"colour\""},
      {"just words\n", "line 1: expected key = value"},
      {"orientation = 45\n", "line 1: orientation wants 0, 90, 180 or 270"},
      {"orientation = -90\n", "line 1: orientation wants 0, 90, 180 or 270"},
      {"screen = 240\n", "line 1: screen wants WIDTHxHEIGHT (1 to 4096)"},
      {"screen = 0x320\n", "line 1: screen wants WIDTHxHEIGHT (1 to 4096)"},
      {"screen = 240x320x2\n", "line 1: screen wants WIDTHxHEIGHT (1 to 4096)"},
      {"screen = 99999x320\n", "line 1: screen wants WIDTHxHEIGHT (1 to 4096)"},
      {"os = 5\n", "line 1: os wants major.minor"},
      {"os = 5.x\n", "line 1: os wants major.minor"},
      {"touch = maybe\n", "line 1: wants yes or no"},
      {"dpi = many\n", "line 1: dpi wants a number or auto"},
      {"processor = 0xZZ\n", "line 1: processor wants a number"},
      {"preset = Brick\n", "line 1: unknown preset \"Brick\""},
      {"oem = \xC3\n", "line 1: value is not UTF-8"},
      {"oem = \xED\xA0\x80\n", "line 1: value is not UTF-8"},
      {"oem = \xC0\xAF\n", "line 1: value is not UTF-8"},
  };
  for (const Case& c : cases) {
    const auto result = parseDeviceProfile(c.text);
    EXPECT_FALSE(result.profile) << c.text;
    EXPECT_EQ(result.error, c.error) << c.text;
  }
}

class ProfileFileOnDisk : public ::testing::Test {
protected:
  std::string write(const std::string& name, const std::string& text) {
    const std::string path = folder_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  nvtest::TempFolder temp_{"nv-profile"};
  std::string folder_ = temp_.string();
};

TEST_F(ProfileFileOnDisk, LoadsAFile) {
  const auto result = loadDeviceProfile(write("phone.txt", "preset = MotoQ\n"));
  ASSERT_TRUE(result.profile) << result.error;
  EXPECT_EQ(result.profile->oemInfo, u"MotoQ");
}

TEST_F(ProfileFileOnDisk, MissingFilesAndFoldersAreErrors) {
  for (const std::string& path : {folder_ + "/absent.txt", folder_}) {
    const auto result = loadDeviceProfile(path);
    EXPECT_FALSE(result.profile);
    EXPECT_EQ(result.error, path + ": cannot be read");
  }
}

TEST_F(ProfileFileOnDisk, ErrorsNameTheFile) {
  const std::string path = write("bad.txt", "screen = big\n");
  EXPECT_EQ(loadDeviceProfile(path).error, path + ": line 1: screen wants WIDTHxHEIGHT (1 to 4096)");
}

// The process reads NIGHTVAULT_DEVICE once, on first use, so each case runs
// in a fresh process. The profile lies in the working folder, where the
// re-run child writes the same file again.
bool childSeesProfile(const char* fileName, const std::string& text, bool (*check)()) {
  std::ofstream(fileName, std::ios::binary) << text;
  setenv("NIGHTVAULT_DEVICE", fileName, 1);
  return check();
}

TEST(DeviceProfileEnvironmentTest, NamesTheProfileOfTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* file = "nv-device-env.txt";
  EXPECT_EXIT(std::exit(childSeesProfile(
                            file,
                            "preset = SmartPhone\nscreen = 320x240\n",
                            [] { return deviceProfile().platformType == u"SmartPhone" && screenSize().width == 320; })
                            ? 3
                            : 4),
              ::testing::ExitedWithCode(3),
              "");
  std::filesystem::remove(file);
}

TEST(DeviceProfileEnvironmentTest, UnusableProfileFallsBackToTheDefaultWithAMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* file = "nv-device-broken.txt";
  EXPECT_EXIT(std::exit(childSeesProfile(
                            file,
                            "orientation = sideways\n",
                            [] { return deviceProfile().platformType == u"PocketPC" && screenSize().width == 240; })
                            ? 3
                            : 4),
              ::testing::ExitedWithCode(3),
              "line 1: orientation wants 0, 90, 180 or 270; using the default device");
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace wce
