#pragma once
// An emulated handheld with both messaging libraries and message folders in
// a temporary user folder; the SMS layer is released after every test.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "platform/mapi/Mapi.h"
#include "platform/sms/MessageFile.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/Sms.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/platform/mapi/probe/MapiProbe.h"
#include "tests/platform/sms/probe/SmsProbe.h"
#include "tests/support/TempFolder.h"
#include "wireless/messaging/DMessage.h"
#include "wireless/messaging/DMessageConnection.h"
#include "wireless/messaging/DMessageListener.h"

namespace qel::messaging {

inline wce::DeviceProfile messagingDevice(std::vector<std::string> modules = {"sms.dll", "cemapi.dll"}) {
  wce::DeviceProfile profile;
  profile.modules = std::move(modules);
  return profile;
}

class RecordingListener final : public DMessageListener {
public:
  void notifyIncomingMessage(const DMessageConnectionPtr& connection) override {
    connections.push_back(connection.get());
    threads.push_back(std::this_thread::get_id());
  }

  std::vector<DMessageConnection*> connections;
  std::vector<std::thread::id> threads;
};

class SmsFixture : public ::testing::Test {
protected:
  SmsFixture() {
    wce::registerSmsEntries();
    wce::registerMapiEntries();
    wce::setMessageUserFolder(userFolder_.path());
  }

  ~SmsFixture() override {
    DMessageConnection::releaseSmsAccess();
    wce::clearNextSmsResults();
    wce::clearNextMapiResults();
    wce::clearMessageUserFolder();
  }

  std::filesystem::path inbox() const { return userFolder_ / "sms" / "inbox"; }
  std::filesystem::path outbox() const { return userFolder_ / "sms" / "outbox"; }

  static void deliver(const char16_t* sender, const char16_t* text, int64_t deliveredMillis) {
    ASSERT_TRUE(wce::deliverToInbox(wce::InboxMessage{sender, text, deliveredMillis}));
  }

  // Polls on this thread until done says so; false after ten seconds.
  static bool pollUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      DMessageConnection::pollListeners();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  std::vector<wce::OutboxMessage> outboxMessages() const {
    std::vector<wce::OutboxMessage> messages;
    if (!std::filesystem::exists(outbox())) return messages;
    for (const auto& file : std::filesystem::directory_iterator(outbox())) {
      auto bytes = wce::readMessageFile(file.path());
      auto message = bytes ? wce::parseOutboxMessage(*bytes) : std::nullopt;
      EXPECT_TRUE(message) << file.path();
      if (message) messages.push_back(*message);
    }
    return messages;
  }

  nvtest::TempFolder userFolder_{"nv-sms"};
  wce::ScopedDeviceProfile device_{messagingDevice()};
};

}  // namespace qel::messaging
