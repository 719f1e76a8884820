#include "SmsFixture.h"
#include "lang/DExceptionBase.h"
#include "tests/platform/mapi/probe/MapiProbe.h"
#include "tests/platform/sms/probe/SmsProbe.h"

namespace qel::messaging {
namespace {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;

struct LadderCase {
  const char* name;
  std::vector<std::string> modules;
  std::optional<wce::MapiCall> failingCall;
  bool sends;
  bool readsInbox;
  bool notifies;
  // What the layer holds of the message store once set up: initializations,
  // objects (session, store, inbox), buffers (the inbox id), advise connections.
  wce::MapiUsage held;
};

constexpr wce::MapiUsage kNothing{0, 0, 0, 0};
constexpr wce::MapiUsage kInbox{1, 3, 1, 0};
constexpr wce::MapiUsage kAdvisedInbox{1, 3, 1, 1};

void PrintTo(const LadderCase& c, std::ostream* os) { *os << c.name; }

const LadderCase kLadder[] = {
    {"Complete", {"sms.dll", "cemapi.dll"}, std::nullopt, true, true, true, kAdvisedInbox},
    {"NoSmsLibrary", {"cemapi.dll"}, std::nullopt, false, true, true, kAdvisedInbox},
    {"NoMessagingLibrary", {"sms.dll"}, std::nullopt, true, false, false, kNothing},
    {"Initialize", {"sms.dll", "cemapi.dll"}, wce::MapiCall::Initialize, true, false, false, kNothing},
    {"Logon", {"sms.dll", "cemapi.dll"}, wce::MapiCall::LogonEx, true, false, false, kNothing},
    {"StoresTable", {"sms.dll", "cemapi.dll"}, wce::MapiCall::GetMsgStoresTable, true, false, false, kNothing},
    {"StoresColumns", {"sms.dll", "cemapi.dll"}, wce::MapiCall::SetColumns, true, false, false, kNothing},
    {"NoSmsStoreRow", {"sms.dll", "cemapi.dll"}, wce::MapiCall::QueryRows, true, false, false, kNothing},
    {"OpenStore", {"sms.dll", "cemapi.dll"}, wce::MapiCall::OpenMsgStore, true, false, false, kNothing},
    {"InboxId", {"sms.dll", "cemapi.dll"}, wce::MapiCall::GetProps, true, false, false, kNothing},
    {"OpenInbox", {"sms.dll", "cemapi.dll"}, wce::MapiCall::OpenEntry, true, false, false, kNothing},
    {"Advise", {"sms.dll", "cemapi.dll"}, wce::MapiCall::Advise, true, true, false, kInbox},
};

class SetUpLadderTest : public SmsFixture, public ::testing::WithParamInterface<LadderCase> {};

TEST_P(SetUpLadderTest, EachFailureLeavesAConsistentPartialLayer) {
  const LadderCase& c = GetParam();
  wce::ScopedDeviceProfile device(messagingDevice(c.modules));
  // Someone else's MAPI session stays counted through all of this.
  ASSERT_EQ(wce::MAPIInitialize(nullptr), wce::S_OK);
  const wce::MapiUsage before = wce::mapiUsage();
  deliver(u"+4911", u"waiting", 1);
  if (c.failingCall) wce::setNextMapiResult(*c.failingCall, wce::E_FAIL);

  DMessageConnection::initSmsAccess();
  wce::clearNextMapiResults();
  const wce::MapiUsage afterSetUp = wce::mapiUsage();
  EXPECT_EQ(afterSetUp.initializations - before.initializations, c.held.initializations);
  EXPECT_EQ(afterSetUp.liveObjects - before.liveObjects, c.held.liveObjects);
  EXPECT_EQ(afterSetUp.liveBuffers - before.liveBuffers, c.held.liveBuffers);
  EXPECT_EQ(afterSetUp.adviseConnections - before.adviseConnections, c.held.adviseConnections);

  DMessageConnectionPtr connection = DMessageConnection::open(u"sms://+4912345");
  DMessagePtr message = connection->newMessage(u"text", u"+4912345");
  message->setPayloadText(u"hi");
  if (c.sends) {
    EXPECT_NO_THROW(connection->send(message));
  } else {
    try {
      connection->send(message);
      ADD_FAILURE() << "sent without the SMS library";
    } catch (const DExceptionBase& e) {
      EXPECT_EQ(e.code(), qel::lang::ExceptionCode::IllegalArgument);
    }
  }
  EXPECT_EQ(outboxMessages().size(), c.sends ? 1u : 0u);

  DMessagePtr newest = DMessageConnection::newestInboxMessage();
  EXPECT_EQ(newest != nullptr, c.readsInbox);
  EXPECT_EQ(DMessageConnection::findInInbox(u"*", 0) != nullptr, c.readsInbox);

  qel::lang::DPtr<RecordingListener> listener = new RecordingListener();
  connection->setMessageListener(listener);
  deliver(u"+4922", u"arrived", 2);
  if (c.notifies) {
    EXPECT_TRUE(pollUntil([&] { return !listener->connections.empty(); }));
  } else {
    DMessageConnection::pollListeners();
    EXPECT_TRUE(listener->connections.empty());
  }
  connection->close();

  DMessageConnection::releaseSmsAccess();
  EXPECT_EQ(wce::mapiUsage(), before);
  EXPECT_EQ(wce::openSmsHandles(), 0);
  wce::MAPIUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Steps, SetUpLadderTest, ::testing::ValuesIn(kLadder),
                         [](const auto& info) { return std::string(info.param.name); });

using SmsLifecycleTest = SmsFixture;

TEST_F(SmsLifecycleTest, RepeatedSetUpAndReleaseHoldNothingAfterwards) {
  DMessageConnection::releaseSmsAccess();
  DMessageConnection::initSmsAccess();
  DMessageConnection::initSmsAccess();
  EXPECT_EQ(wce::mapiUsage(), (wce::MapiUsage{1, 3, 1, 1}));
  DMessageConnection::releaseSmsAccess();
  DMessageConnection::releaseSmsAccess();
  EXPECT_EQ(wce::mapiUsage(), (wce::MapiUsage{0, 0, 0, 0}));
}

TEST_F(SmsLifecycleTest, ListenerBeforeSetUpIsNotKept) {
  DMessageConnectionPtr connection = DMessageConnection::open(u"sms://5550");
  qel::lang::DPtr<RecordingListener> listener = new RecordingListener();
  connection->setMessageListener(listener);
  DMessageConnection::initSmsAccess();
  deliver(u"5551", u"early", 1);
  DMessageConnection::pollListeners();
  EXPECT_TRUE(listener->connections.empty());
  EXPECT_EQ(listener->refCount(), 1);
}

}  // namespace
}  // namespace qel::messaging
