#include <fstream>

#include "SmsFixture.h"
#include "tests/platform/mapi/probe/MapiProbe.h"
#include "wireless/messaging/DMAPIEntryArray.h"

namespace qel::messaging {
namespace {

class InboxReaderTest : public SmsFixture {
protected:
  InboxReaderTest() {
    deliver(u"+4910", u"code 1234 for you", 300);
    deliver(u"+4920", u"hello", 100);
    deliver(u"+4930", u"code 99 here", 200);
    deliver(u"+4940", u"c\\de", 50);
    DMessageConnection::initSmsAccess();
  }

  static std::u16string senderOf(const DMessagePtr& message) {
    return message ? std::u16string(message->getAddress()->view()) : u"(none)";
  }
};

TEST_F(InboxReaderTest, NewestIsByDeliveryTime) {
  DMessagePtr newest = DMessageConnection::newestInboxMessage();
  ASSERT_TRUE(newest);
  EXPECT_EQ(senderOf(newest), u"+4910");
  EXPECT_TRUE(newest->getPayloadText()->equals(u"code 1234 for you"));
}

struct FindCase {
  const char16_t* pattern;
  int32_t maxRows;
  const char16_t* sender;
};

class FindInInboxTest : public InboxReaderTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindInInboxTest, NewestMatchWithinTheRows) {
  EXPECT_EQ(senderOf(DMessageConnection::findInInbox(GetParam().pattern, GetParam().maxRows)), GetParam().sender);
}

INSTANTIATE_TEST_SUITE_P(Patterns, FindInInboxTest,
                         ::testing::Values(FindCase{u"code*", 0, u"+4910"}, FindCase{u"code ?? *", 0, u"+4930"},
                                           FindCase{u"hel?o", 0, u"+4920"}, FindCase{u"hello", 2, u"(none)"},
                                           FindCase{u"hello", 3, u"+4920"}, FindCase{u"hello", -1, u"+4920"},
                                           FindCase{u"c\\de", 0, u"+4940"}, FindCase{u"nothing*", 0, u"(none)"},
                                           FindCase{u"*", 1, u"+4910"}));

TEST_F(InboxReaderTest, MalformedFilesAreLeftOut) {
  const std::pair<const char*, const char*> broken[] = {
      {"no-blank.sms", "from: +1\ndelivered: 999\n"},
      {"no-sender.sms", "delivered: 999\n\ntext"},
      {"bad-time.sms", "from: +1\ndelivered: soon\n\ntext"},
      {"unknown-key.sms", "from: +1\ndelivered: 999\nurgent: yes\n\ntext"},
      {"twice.sms", "from: +1\nfrom: +2\ndelivered: 999\n\ntext"},
      {"latin1.sms", "from: +1\ndelivered: 999\n\n\xE9t\xE9"},
  };
  for (const auto& [name, bytes] : broken) std::ofstream(inbox() / name, std::ios::binary) << bytes;
  std::ofstream(inbox() / "huge.sms") << "from: +1\ndelivered: 999\n\n" << std::string(70000, 'x');
  std::ofstream(inbox() / "other.txt") << "from: +1\ndelivered: 999\n\nnot a message file";
  EXPECT_EQ(senderOf(DMessageConnection::newestInboxMessage()), u"+4910");
  EXPECT_EQ(senderOf(DMessageConnection::findInInbox(u"*", 0)), u"+4910");
}

TEST_F(InboxReaderTest, ReadersBalanceTheirMapiInitialize) {
  const wce::MapiUsage before = wce::mapiUsage();
  DMessageConnection::newestInboxMessage();
  DMessageConnection::findInInbox(u"*", 0);
  EXPECT_EQ(wce::mapiUsage(), before);
}

TEST_F(InboxReaderTest, FailingTableGivesNull) {
  for (wce::MapiCall call : {wce::MapiCall::GetContentsTable,
                             wce::MapiCall::SetColumns,
                             wce::MapiCall::SortTable,
                             wce::MapiCall::QueryRows,
                             wce::MapiCall::Initialize}) {
    wce::setNextMapiResult(call, wce::E_FAIL);
    EXPECT_FALSE(DMessageConnection::newestInboxMessage());
    wce::setNextMapiResult(call, wce::E_FAIL);
    EXPECT_FALSE(DMessageConnection::findInInbox(u"*", 0));
  }
  EXPECT_TRUE(DMessageConnection::newestInboxMessage());
}

TEST_F(InboxReaderTest, StoresAreListedByName) {
  wce::IMAPISession* session = nullptr;
  ASSERT_EQ(wce::MAPIInitialize(nullptr), wce::S_OK);
  ASSERT_EQ(wce::MAPILogonEx(0, u"", u"", 0, &session), wce::S_OK);
  DMAPIEntryArrayPtr stores = DMessageConnection::listStores(session);
  ASSERT_TRUE(stores);
  ASSERT_EQ(stores->length(), 1);
  EXPECT_TRUE(stores->at(0)->getName()->equals(u"SMS"));
  EXPECT_GT(stores->at(0)->getEntryId()->length(), 0);
  EXPECT_EQ(stores->getClassName(), "DObjectArray");  // its entries answer DObject's name
  session->Release();
  wce::MAPIUninitialize();
}

}  // namespace
}  // namespace qel::messaging
