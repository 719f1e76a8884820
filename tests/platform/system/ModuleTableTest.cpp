#include <gtest/gtest.h>

#include "platform/system/ActiveDevice.h"
#include "platform/system/Aygshell.h"
#include "platform/system/ModuleTable.h"
#include "tests/platform/system/probe/AygshellProbe.h"

namespace wce {
namespace {

int answer() { return 42; }

TEST(ModuleTableTest, AygshellIsBuiltInAndFoundWithoutCase) {
  ScopedDeviceProfile scoped(DeviceProfile{});
  for (const char16_t* name : {u"aygshell.dll", u"AygShell.DLL"}) {
    HMODULE module = LoadLibraryW(name);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddressW(module, u"SHFullScreen"), nullptr);
    EXPECT_NE(GetProcAddressW(module, u"SHSetImeMode"), nullptr);
    EXPECT_EQ(GetProcAddressW(module, u"shfullscreen"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
  }
}

TEST(ModuleTableTest, LibrariesMissingFromTheProfileDoNotLoad) {
  registerModuleEntry(u"sms.dll", u"SmsGetSMSC", &answer);
  {
    ScopedDeviceProfile scoped(DeviceProfile{});
    for (const char16_t* name : {u"sms.dll", u"phone.dll", u"gx.dll", u"nonesuch.dll"}) {
      EXPECT_EQ(LoadLibraryW(name), nullptr);
    }
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  }
  DeviceProfile withSms;
  withSms.modules = {"sms.dll"};
  ScopedDeviceProfile scoped(withSms);
  EXPECT_EQ(LoadLibraryW(u"aygshell.dll"), nullptr);
  HMODULE sms = LoadLibraryW(u"SMS.dll");
  ASSERT_NE(sms, nullptr);
  auto entry = reinterpret_cast<int (*)()>(GetProcAddressW(sms, u"SmsGetSMSC"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry(), 42);
  EXPECT_TRUE(FreeLibrary(sms));
}

TEST(ModuleTableTest, ListedButUnimplementedLibraryIsAbsent) {
  DeviceProfile profile;
  profile.modules = {"phantom.dll"};
  ScopedDeviceProfile scoped(profile);
  EXPECT_EQ(LoadLibraryW(u"phantom.dll"), nullptr);
}

TEST(ModuleTableTest, HandlesWorkOnlyWhileLoaded) {
  registerModuleEntry(u"counted.dll", u"answer", &answer);
  DeviceProfile profile;
  profile.modules = {"counted.dll"};
  ScopedDeviceProfile scoped(profile);
  HMODULE first = LoadLibraryW(u"counted.dll");
  HMODULE second = LoadLibraryW(u"counted.dll");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_NE(GetProcAddressW(second, u"answer"), nullptr);
  EXPECT_TRUE(FreeLibrary(second));
  EXPECT_EQ(GetProcAddressW(first, u"answer"), nullptr);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&profile)));
  EXPECT_EQ(GetProcAddressW(reinterpret_cast<HMODULE>(&profile), u"answer"), nullptr);
}

TEST(AygshellTest, CallsThroughTheTableAreRecorded) {
  ScopedDeviceProfile scoped(DeviceProfile{});
  clearRecordedShellCalls();
  HMODULE aygshell = LoadLibraryW(u"aygshell.dll");
  ASSERT_NE(aygshell, nullptr);
  auto fullScreen = reinterpret_cast<SHFullScreenFunction>(GetProcAddressW(aygshell, u"SHFullScreen"));
  auto imeMode = reinterpret_cast<SHSetImeModeFunction>(GetProcAddressW(aygshell, u"SHSetImeMode"));
  auto* window = reinterpret_cast<HWND>(0x1234);
  EXPECT_TRUE(fullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
  EXPECT_TRUE(fullScreen(window, 0x15));
  EXPECT_EQ(imeMode(window, 7), 0);
  EXPECT_EQ(recordedFullScreenCalls(), (std::vector<ShellCall>{{window, 0x2A}, {window, 0x15}}));
  EXPECT_EQ(recordedImeModeCalls(), (std::vector<ShellCall>{{window, 7}}));
  clearRecordedShellCalls();
  EXPECT_TRUE(recordedFullScreenCalls().empty());
  FreeLibrary(aygshell);
}

}  // namespace
}  // namespace wce
