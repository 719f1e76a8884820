#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "platform/system/ActiveDevice.h"
#include "platform/system/SystemInfo.h"

namespace wce {
namespace {

TEST(SystemParametersInfoTest, AnswersThePlatformAndOemTexts) {
  DeviceProfile profile;
  profile.platformType = u"SmartPhone";
  profile.oemInfo = u"MotoQ";
  ScopedDeviceProfile scoped(profile);
  char16_t buffer[128] = {};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof buffer, buffer, 0));
  EXPECT_EQ(std::u16string(buffer), u"SmartPhone");
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof buffer, buffer, 0));
  EXPECT_EQ(std::u16string(buffer), u"MotoQ");
}

TEST(SystemParametersInfoTest, RefusesShortBuffersAndUnknownActions) {
  ScopedDeviceProfile scoped(DeviceProfile{});
  char16_t buffer[9] = {u'x'};
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 18, buffer, 0));  // "PocketPC" and its terminator
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 17, buffer, 0));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 255, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoW(99, sizeof buffer, buffer, 0));
}

TEST(GetSystemMetricsTest, AnswersTheScreenAtTheCurrentOrientation) {
  ScopedDeviceProfile scoped(*devicePreset("VGA"));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 640);
  setDisplayOrientation(1);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  EXPECT_EQ(GetSystemMetrics(42), 0);
}

TEST(GetVersionExTest, AnswersTheProfileVersion) {
  ScopedDeviceProfile scoped(*devicePreset("HP IPAQ H6340"));
  OsVersionInfo info;
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.major, 4u);
  EXPECT_EQ(info.minor, 21u);
  EXPECT_EQ(info.platformId, VER_PLATFORM_WIN32_CE);
  EXPECT_FALSE(GetVersionExW(nullptr));
}

TEST(PointingDeviceTest, FollowsTheProfile) {
  {
    ScopedDeviceProfile scoped(*devicePreset("SmartPhone"));
    EXPECT_FALSE(HasPointingDevice());
  }
  ScopedDeviceProfile scoped(DeviceProfile{});
  EXPECT_TRUE(HasPointingDevice());
}

class LocaleTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i]) {
        setenv(kNames[i], saved_[i]->c_str(), 1);
      } else {
        unsetenv(kNames[i]);
      }
    }
  }
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(LocaleTest, LanguageComesFromTheFirstSetVariable) {
  struct Case {
    const char* all;
    const char* messages;
    const char* lang;
    const char16_t* expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, u"EN"},
      {nullptr, nullptr, "de_DE.UTF-8", u"DE"},
      {nullptr, "fr_FR", "de_DE.UTF-8", u"FR"},
      {"ja_JP.eucJP", "fr_FR", "de_DE", u"JA"},
      {"", "", "pt", u"PT"},
      {nullptr, nullptr, "sr@latin", u"SR"},
      {nullptr, nullptr, "fil_PH.UTF-8", u"FIL"},
      {nullptr, nullptr, "C", u"EN"},
      {nullptr, nullptr, "C.UTF-8", u"EN"},
      {nullptr, nullptr, "POSIX", u"EN"},
      {nullptr, nullptr, "x1_YY", u"EN"},
  };
  for (const Case& c : cases) {
    const char* values[] = {c.all, c.messages, c.lang};
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (values[i]) {
        setenv(kNames[i], values[i], 1);
      } else {
        unsetenv(kNames[i]);
      }
    }
    EXPECT_EQ(localeLanguageAbbreviation(), c.expected) << (c.lang ? c.lang : "(unset)");
  }
}

TEST_F(LocaleTest, GetLocaleInfoFillsTheBufferOrTellsTheSizeNeeded) {
  setenv("LANG", "de_AT.UTF-8", 1);
  char16_t buffer[32] = {};
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 32), 3);
  EXPECT_EQ(std::u16string(buffer), u"DE");
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, nullptr, 0), 3);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 2), 0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x1001, buffer, 32), 0);
}

}  // namespace
}  // namespace wce
