#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/sms/MessageFile.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/Sms.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/ModuleTable.h"
#include "tests/platform/sms/probe/SmsProbe.h"
#include "tests/support/TempFolder.h"

namespace wce {
namespace {

class SmsTransportTest : public ::testing::Test {
protected:
  SmsTransportTest() { setMessageUserFolder(root_.path()); }
  ~SmsTransportTest() override {
    clearNextSmsResults();
    setSmsServiceCentre(u"");
    clearMessageUserFolder();
  }

  SMS_HANDLE open() {
    SMS_HANDLE handle = nullptr;
    EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &handle, nullptr), S_OK);
    return handle;
  }

  static HRESULT send(SMS_HANDLE handle, const SmsAddress& to, std::u16string_view text,
                      DWORD providerSize = sizeof(TextProviderData)) {
    TextProviderData provider;
    provider.messageClass = 2;
    return SmsSendMessage(handle,
                          nullptr,
                          &to,
                          nullptr,
                          reinterpret_cast<const std::uint8_t*>(text.data()),
                          static_cast<DWORD>(text.size() * 2),
                          reinterpret_cast<const std::uint8_t*>(&provider),
                          providerSize,
                          SMSDE_OPTIMAL,
                          0,
                          nullptr);
  }

  static SmsAddress address(DWORD type, std::u16string_view text) {
    SmsAddress a;
    a.addressType = type;
    std::copy(text.begin(), text.end(), a.address);
    return a;
  }

  nvtest::TempFolder root_{"nv-smsdll"};
};

TEST_F(SmsTransportTest, EntriesAreFoundOnlyOnDevicesWithTheLibrary) {
  registerSmsEntries();
  {
    ScopedDeviceProfile none(DeviceProfile{});
    EXPECT_EQ(LoadLibraryW(u"sms.dll"), nullptr);
  }
  DeviceProfile withSms;
  withSms.modules = {"sms.dll"};
  ScopedDeviceProfile scoped(withSms);
  HMODULE module = LoadLibraryW(u"sms.dll");
  ASSERT_NE(module, nullptr);
  for (const char16_t* name : {u"SmsOpen", u"SmsSendMessage", u"SmsClose", u"SmsGetSMSC"}) {
    EXPECT_NE(GetProcAddressW(module, name), nullptr);
  }
  EXPECT_EQ(reinterpret_cast<SmsOpenFunction>(GetProcAddressW(module, u"SmsOpen")), &SmsOpen);
  FreeLibrary(module);
}

TEST_F(SmsTransportTest, OpenRefusals) {
  SMS_HANDLE handle = nullptr;
  void* event = nullptr;
  EXPECT_EQ(SmsOpen(u"Some Other Protocol", SMS_MODE_SEND, &handle, nullptr), E_INVALIDARG);
  EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &handle, &event), E_INVALIDARG);
  EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_RECEIVE, &handle, nullptr), E_NOTIMPL);
  clearMessageUserFolder();
  EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &handle, nullptr), E_FAIL);
  EXPECT_EQ(openSmsHandles(), 0);
}

TEST_F(SmsTransportTest, SendWritesTheOutboxRecord) {
  SMS_HANDLE handle = open();
  EXPECT_EQ(send(handle, address(SMSAT_INTERNATIONAL, u"4912"), u"hi"), S_OK);
  EXPECT_EQ(SmsClose(handle), S_OK);
  EXPECT_EQ(SmsClose(handle), E_INVALIDARG);
  const auto files = std::vector(std::filesystem::directory_iterator(root_ / "sms" / "outbox"), {});
  ASSERT_EQ(files.size(), 1u);
  const auto message = parseOutboxMessage(*readMessageFile(files[0].path()));
  ASSERT_TRUE(message);
  EXPECT_EQ(message->address, u"4912");
  EXPECT_TRUE(message->international);
  EXPECT_EQ(message->messageClass, 2u);
  EXPECT_EQ(message->text, u"hi");
}

TEST_F(SmsTransportTest, SendRefusals) {
  SMS_HANDLE handle = open();
  EXPECT_EQ(send(nullptr, address(0, u"1"), u"x"), E_INVALIDARG);
  EXPECT_EQ(send(handle, address(0, u""), u"x"), SMS_E_INVALIDADDRESS);
  EXPECT_EQ(send(handle, address(0, u"+49"), u"x"), SMS_E_INVALIDADDRESS);
  EXPECT_EQ(send(handle, address(0, u"12 34"), u"x"), SMS_E_INVALIDADDRESS);
  EXPECT_EQ(send(handle, address(0, u"1"), u"x", 100), SMS_E_BADPARAM);
  EXPECT_EQ(SmsSendMessage(handle, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, 0, 0, nullptr),
            SMS_E_INVALIDADDRESS);
  EXPECT_EQ(send(handle, address(0, u"*100#"), u"x"), S_OK);
  SmsClose(handle);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ / "sms" / "outbox"), {}), 1);
}

TEST_F(SmsTransportTest, InjectedResultsAreUsedOnce) {
  setNextSmsResult(SmsCall::Open, SMS_E_RADIOUNAVAILABLE);
  SMS_HANDLE handle = nullptr;
  EXPECT_EQ(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &handle, nullptr), SMS_E_RADIOUNAVAILABLE);
  handle = open();
  setNextSmsResult(SmsCall::SendMessage, SMS_E_NETWORK);
  EXPECT_EQ(send(handle, address(0, u"1"), u"x"), SMS_E_NETWORK);
  EXPECT_FALSE(std::filesystem::exists(root_ / "sms" / "outbox"));
  EXPECT_EQ(send(handle, address(0, u"1"), u"x"), S_OK);
  EXPECT_EQ(SmsClose(handle), S_OK);
}

TEST_F(SmsTransportTest, ServiceCentre) {
  SmsAddress centre;
  EXPECT_EQ(SmsGetSMSC(&centre), E_FAIL);
  setSmsServiceCentre(u"+491770610000");
  ASSERT_EQ(SmsGetSMSC(&centre), S_OK);
  EXPECT_EQ(centre.addressType, SMSAT_INTERNATIONAL);
  EXPECT_EQ(std::u16string(centre.address), u"491770610000");
  setNextSmsResult(SmsCall::GetSMSC, E_FAIL);
  EXPECT_EQ(SmsGetSMSC(&centre), E_FAIL);
  EXPECT_EQ(SmsGetSMSC(nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace wce
