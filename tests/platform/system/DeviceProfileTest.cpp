#include <gtest/gtest.h>

#include "platform/system/ActiveDevice.h"
#include "platform/system/DeviceProfile.h"

namespace wce {
namespace {

TEST(DeviceProfileTest, DefaultIsAPortraitPocketPC) {
  const DeviceProfile profile;
  EXPECT_EQ(profile.platformType, u"PocketPC");
  EXPECT_EQ(profile.osMajor, 5u);
  EXPECT_EQ(profile.osMinor, 2u);
  EXPECT_EQ(profile.screenWidth, 240);
  EXPECT_EQ(profile.screenHeight, 320);
  EXPECT_EQ(profile.orientation, 0);
  EXPECT_EQ(profile.logPixelsY(), 96);
  EXPECT_TRUE(profile.touchScreen);
  EXPECT_TRUE(profile.hasModule(u"aygshell.dll"));
  for (const char16_t* absent : {u"sms.dll", u"phone.dll", u"gx.dll"}) {
    EXPECT_FALSE(profile.hasModule(absent));
  }
}

std::u16string lowered(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return text;
}

TEST(DeviceProfileTest, DefaultOemTextMatchesNoDeviceRule) {
  const std::u16string oem = lowered(DeviceProfile{}.oemInfo);
  for (const char16_t* part : {u"kovs100", u"s710"}) {
    EXPECT_EQ(oem.find(part), std::u16string::npos);
  }
  for (const std::string& name : devicePresetNames()) {
    const std::u16string model = lowered(devicePreset(name)->oemInfo);
    if (name != "PocketPC" && name != "SmartPhone" && name != "VGA" && name != "Rotated") {
      EXPECT_FALSE(oem.starts_with(model)) << name;
    }
  }
}

TEST(DeviceProfileTest, DotsPerInchFollowTheLongerSide) {
  struct Case {
    int width, height, dpi, expected;
  };
  for (const Case& c : {Case{240, 320, 0, 96},
                        Case{479, 320, 0, 96},
                        Case{480, 640, 0, 192},
                        Case{640, 480, 0, 192},
                        Case{240, 480, 0, 192},
                        Case{240, 320, 131, 131}}) {
    DeviceProfile profile;
    profile.screenWidth = c.width;
    profile.screenHeight = c.height;
    profile.dpi = c.dpi;
    EXPECT_EQ(profile.logPixelsY(), c.expected) << c.width << "x" << c.height;
  }
}

TEST(DeviceProfileTest, ModuleNamesCompareWithoutCase) {
  DeviceProfile profile;
  profile.modules = {"Phone.DLL"};
  EXPECT_TRUE(profile.hasModule(u"phone.dll"));
  EXPECT_TRUE(profile.hasModule(u"PHONE.dll"));
  EXPECT_FALSE(profile.hasModule(u"phone.dl"));
}

TEST(DevicePresetTest, NamedPresetsCarryTheirDevice) {
  struct Case {
    const char* name;
    const char16_t* platform;
    const char16_t* oem;
    int width, height, orientation;
    std::uint32_t osMajor;
  };
  const Case cases[] = {
      {"SmartPhone", u"SmartPhone", nullptr, 176, 220, 0, 5},
      {"VGA", u"PocketPC", nullptr, 480, 640, 0, 5},
      {"Rotated", u"PocketPC", nullptr, 320, 240, 1, 5},
      {"Handheld Reference Board", u"PocketPC", u"Handheld Reference Board", 240, 320, 0, 5},
      {"MotoQ", u"SmartPhone", u"MotoQ", 320, 240, 0, 5},
      {"HP IPAQ H6340", u"PocketPC", u"HP IPAQ H6340", 240, 320, 0, 4},
      {"HTC VOYAGER", u"SmartPhone", u"HTC VOYAGER", 176, 220, 0, 3},
  };
  for (const Case& c : cases) {
    const auto profile = devicePreset(c.name);
    ASSERT_TRUE(profile) << c.name;
    EXPECT_EQ(profile->platformType, c.platform) << c.name;
    if (c.oem) {
      EXPECT_EQ(profile->oemInfo, c.oem) << c.name;
    }
    EXPECT_EQ(profile->screenWidth, c.width) << c.name;
    EXPECT_EQ(profile->screenHeight, c.height) << c.name;
    EXPECT_EQ(profile->orientation, c.orientation) << c.name;
    EXPECT_EQ(profile->osMajor, c.osMajor) << c.name;
    EXPECT_EQ(profile->touchScreen, profile->platformType == u"PocketPC") << c.name;
  }
  EXPECT_FALSE(devicePreset("pocketpc"));
}

TEST(DevicePresetTest, EveryDeviceTheHostAndDisplayRecogniseHasAPreset) {
  for (const char* oem : {"Handheld Reference Board",
                          "KOVS100",
                          "Palm Treo 700w",
                          "MotoQ",
                          "HERM100",
                          "O2Zinc",
                          "O2 Xda Zinc",
                          "SAMSUNG SCH-i760",
                          "Pocket LOOX",
                          "HP IPAQ H6340",
                          "HP IPAQ HW6515",
                          "HTC S710",
                          "Compaq iPAQ H3800",
                          "Compale P6C",
                          "Typhoon",
                          "Toshiba e310",
                          "Toshiba e330",
                          "Toshiba e740",
                          "Toshiba e750",
                          "MotoQ9c",
                          "HTC VOYAGER"}) {
    const auto profile = devicePreset(oem);
    ASSERT_TRUE(profile) << oem;
    EXPECT_EQ(profile->oemInfo, std::u16string(oem, oem + std::char_traits<char>::length(oem)));
  }
}

TEST(DevicePresetTest, ProcessorIdsNameTheirCore) {
  EXPECT_EQ(devicePreset("Compaq iPAQ H3800")->processorId >> 16, 0x6901u);
  EXPECT_EQ(devicePreset("Toshiba e740")->processorId >> 12, 0x69052u);
  EXPECT_EQ(devicePreset("PocketPC")->processorId, 0u);
}

TEST(ActiveDeviceTest, ScreenSizeTurnsWithTheDisplayOrientation) {
  ScopedDeviceProfile rotated(*devicePreset("Rotated"));
  EXPECT_EQ(displayOrientation(), 1);
  EXPECT_EQ(screenSize().width, 320);
  EXPECT_EQ(screenSize().height, 240);
  setDisplayOrientation(2);
  EXPECT_EQ(screenSize().width, 240);
  EXPECT_EQ(screenSize().height, 320);
  setDisplayOrientation(3);
  EXPECT_EQ(screenSize().width, 320);
  setDisplayOrientation(5);
  EXPECT_EQ(displayOrientation(), 1);
}

TEST(ActiveDeviceTest, ScopedProfileRestoresProfileAndOrientation) {
  const std::u16string before = deviceProfile().platformType;
  const int orientationBefore = displayOrientation();
  {
    ScopedDeviceProfile smartphone(*devicePreset("SmartPhone"));
    setDisplayOrientation(orientationBefore + 1);
    EXPECT_EQ(deviceProfile().platformType, u"SmartPhone");
  }
  EXPECT_EQ(deviceProfile().platformType, before);
  EXPECT_EQ(displayOrientation(), orientationBefore);
}

}  // namespace
}  // namespace wce
