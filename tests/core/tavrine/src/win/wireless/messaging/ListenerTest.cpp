#include <fstream>

#include "SmsFixture.h"
#include "platform/mapi/SmsStore.h"
#include "wireless/messaging/SmsArrivals.h"

namespace qel::messaging {
namespace {

using ListenerPtr = qel::lang::DPtr<RecordingListener>;

class ListenerTest : public SmsFixture {
protected:
  ListenerTest() { DMessageConnection::initSmsAccess(); }

  ListenerPtr listen(const DMessageConnectionPtr& connection) {
    ListenerPtr listener = new RecordingListener();
    connection->setMessageListener(listener);
    return listener;
  }

  // What the store's thread does when count messages arrive.
  static void arrive(size_t count, wce::ULONG eventType = wce::fnevObjectCreated) {
    const wce::mapi::Bytes& inbox = wce::mapi::inboxEntryId();
    std::vector<wce::Notification> notifications(count);
    for (wce::Notification& n : notifications) {
      n.eventType = eventType;
      n.object.parentIdSize = static_cast<wce::ULONG>(inbox.size());
      n.object.parentId = inbox.data();
    }
    smsArrivals().count(static_cast<wce::ULONG>(count), notifications.data());
  }

  DMessageConnectionPtr first_ = DMessageConnection::open(u"sms://:5000");
  DMessageConnectionPtr second_ = DMessageConnection::open(u"sms://:5001");
};

TEST_F(ListenerTest, ArrivalOnTheStoreThreadIsDeliveredOnThePollingThread) {
  ListenerPtr listener = listen(first_);
  deliver(u"+4930123", u"ping", 10);
  ASSERT_TRUE(pollUntil([&] { return !listener->connections.empty(); }));
  EXPECT_EQ(listener->connections, std::vector<DMessageConnection*>{first_.get()});
  EXPECT_EQ(listener->threads, std::vector<std::thread::id>{std::this_thread::get_id()});
  DMessageConnection::pollListeners();
  EXPECT_EQ(listener->connections.size(), 1u);
}

TEST_F(ListenerTest, MessageWrittenByAnotherProcessReachesTheListener) {
  ListenerPtr listener = listen(first_);
  const std::string command = "cd '" + inbox().string() +
                              "' && printf 'from: +4917000\\ndelivered: 42\\n\\nfrom afar' > .incoming.tmp"
                              " && mv .incoming.tmp incoming.sms";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(pollUntil([&] { return !listener->connections.empty(); }));
  DMessagePtr newest = DMessageConnection::newestInboxMessage();
  ASSERT_TRUE(newest);
  EXPECT_TRUE(newest->getAddress()->equals(u"+4917000"));
  EXPECT_TRUE(newest->getPayloadText()->equals(u"from afar"));
}

TEST_F(ListenerTest, OneArrivalGoesToTheFirstListeningConnectionOnly) {
  ListenerPtr firstListener = listen(first_);
  ListenerPtr secondListener = listen(second_);
  deliver(u"5550001", u"one", 1);
  ASSERT_TRUE(pollUntil([&] { return !firstListener->connections.empty(); }));
  DMessageConnection::pollListeners();
  EXPECT_EQ(smsArrivals().pending(), 0);
  EXPECT_EQ(firstListener->connections.size(), 1u);
  EXPECT_TRUE(secondListener->connections.empty());
}

TEST_F(ListenerTest, EachTickHandsOutAtMostOneMessagePerConnection) {
  ListenerPtr firstListener = listen(first_);
  ListenerPtr secondListener = listen(second_);
  arrive(3);
  DMessageConnection::pollListeners();
  EXPECT_EQ(firstListener->connections.size(), 1u);
  EXPECT_EQ(secondListener->connections.size(), 1u);
  DMessageConnection::pollListeners();
  DMessageConnection::pollListeners();
  EXPECT_EQ(firstListener->connections.size(), 2u);
  EXPECT_EQ(secondListener->connections.size(), 1u);
}

TEST_F(ListenerTest, OnlyCreationsInTheInboxCount) {
  ListenerPtr listener = listen(first_);
  arrive(1, 0x08);
  wce::Notification elsewhere{};
  elsewhere.eventType = wce::fnevObjectCreated;
  const std::uint8_t otherFolder[] = {1, 2, 3};
  elsewhere.object.parentIdSize = 3;
  elsewhere.object.parentId = otherFolder;
  smsArrivals().count(1, &elsewhere);
  EXPECT_EQ(smsArrivals().pending(), 0);
  arrive(1);
  EXPECT_EQ(smsArrivals().pending(), 1);
}

// Listening is process-wide: one connection's removal silences the others
// and drops what was counted.
TEST_F(ListenerTest, RemovingOneListenerStopsCountingForAll) {
  ListenerPtr firstListener = listen(first_);
  ListenerPtr secondListener = listen(second_);
  arrive(1);
  first_->setMessageListener(nullptr);
  arrive(1);
  DMessageConnection::pollListeners();
  EXPECT_TRUE(secondListener->connections.empty());
  ListenerPtr probe = listen(DMessageConnection::open(u"sms://probe"));
  arrive(1);
  DMessageConnection::pollListeners();
  DMessageConnection::pollListeners();
  EXPECT_TRUE(firstListener->connections.empty());
  EXPECT_EQ(secondListener->connections.size(), 1u);
  EXPECT_TRUE(probe->connections.empty());
}

TEST_F(ListenerTest, ClosedConnectionIsDroppedFromTheList) {
  ListenerPtr listener = listen(first_);
  EXPECT_EQ(first_->refCount(), 2);
  first_->close();
  EXPECT_EQ(first_->refCount(), 1);
  deliver(u"5550005", u"after close", 1);
  DMessageConnection::pollListeners();
  EXPECT_TRUE(listener->connections.empty());
}

TEST_F(ListenerTest, MalformedFileRaisesNoNotification) {
  ListenerPtr listener = listen(first_);
  std::ofstream(inbox() / "broken.sms") << "from +49\n\nno colon";
  deliver(u"5550006", u"good", 1);
  ASSERT_TRUE(pollUntil([&] { return !listener->connections.empty(); }));
  DMessageConnection::pollListeners();
  EXPECT_EQ(listener->connections.size(), 1u);
}

}  // namespace
}  // namespace qel::messaging
