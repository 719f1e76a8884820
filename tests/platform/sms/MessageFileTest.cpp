#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/sms/MessageFile.h"
#include "platform/sms/MessageFolders.h"
#include "tests/platform/sms/probe/SmsProbe.h"
#include "tests/support/TempFolder.h"

namespace wce {
namespace {

TEST(MessageFileTest, InboxMessageRoundTrip) {
  const InboxMessage message{u"+4912", u"Zeile 1\nZeile 2 \u20AC \U0001F600", -5};
  const auto bytes = formatInboxMessage(message);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "from: +4912\ndelivered: -5\n\nZeile 1\nZeile 2 \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(parseInboxMessage(*bytes), message);
}

TEST(MessageFileTest, OutboxMessageRoundTrip) {
  const OutboxMessage message{u"4912", true, 1, u"", 1700000000000};
  const auto bytes = formatOutboxMessage(message);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "to: 4912\ntype: international\nclass: 1\nsent: 1700000000000\n\n");
  EXPECT_EQ(parseOutboxMessage(*bytes), message);
}

TEST(MessageFileTest, CarriageReturnsEndHeaderLines) {
  const auto message = parseInboxMessage("from: 555\r\ndelivered: 7\r\n\r\nbody\r\n");
  ASSERT_TRUE(message);
  EXPECT_EQ(message->sender, u"555");
  EXPECT_EQ(message->text, u"body\r\n");
}

TEST(MessageFileTest, AddressesThatWouldBreakTheHeaderAreRefused) {
  EXPECT_FALSE(formatInboxMessage(InboxMessage{u"", u"x", 0}));
  EXPECT_FALSE(formatInboxMessage(InboxMessage{u"1\ndelivered: 2", u"x", 0}));
  EXPECT_FALSE(formatOutboxMessage(OutboxMessage{u"1\r", false, 0, u"x", 0}));
}

TEST(MessageFileTest, MalformedInboxFilesAreNoMessages) {
  const char* const broken[] = {
      "",
      "from: 1\ndelivered: 2",
      "from: 1\ndelivered: 2\ntext without blank line",
      "from 1\ndelivered: 2\n\n",
      "from: 1\n\n",
      "from: \ndelivered: 2\n\n",
      "from: 1\ndelivered: 2x\n\n",
      "from: 1\ndelivered: 99999999999999999999\n\n",
      "from: 1\ndelivered: 2\ndelivered: 3\n\n",
      "from: 1\ndelivered: 2\nextra: 3\n\n",
      "From: 1\ndelivered: 2\n\n",
      "from: \xC3\ndelivered: 2\n\n",
      "from: 1\ndelivered: 2\n\n\xC0\xAF",
      "from: 1\ndelivered: 2\n\n\xED\xA0\x80",
      "from: 1\ndelivered: 2\n\n\xF4\x90\x80\x80",
  };
  for (const char* bytes : broken) EXPECT_FALSE(parseInboxMessage(bytes)) << bytes;
  std::string huge = "from: 1\ndelivered: 2\n\n" + std::string(kMaxMessageFileBytes, 'x');
  EXPECT_FALSE(parseInboxMessage(huge));
}

TEST(MessageFileTest, MalformedOutboxFilesAreNoMessages) {
  for (const char* bytes : {"to: 1\ntype: roaming\nclass: 1\nsent: 2\n\n",
                            "to: 1\ntype: unknown\nclass: -1\nsent: 2\n\n",
                            "to: 1\ntype: unknown\nsent: 2\n\n"}) {
    EXPECT_FALSE(parseOutboxMessage(bytes)) << bytes;
  }
}

TEST(MessageFileTest, NamesOfFilesBeingWrittenAreNotMessages) {
  EXPECT_TRUE(isMessageFileName("a.sms"));
  EXPECT_TRUE(isMessageFileName("/x/1-2-3.sms"));
  EXPECT_FALSE(isMessageFileName(".a.sms.tmp"));
  EXPECT_FALSE(isMessageFileName(".hidden.sms"));
  EXPECT_FALSE(isMessageFileName("a.txt"));
}

class MessageFolderTest : public ::testing::Test {
protected:
  ~MessageFolderTest() override { clearMessageUserFolder(); }
  nvtest::TempFolder root_{"nv-smsfile"};
};

TEST_F(MessageFolderTest, WritesLeaveOnlyWholeFilesWithNamesOfTheirOwn) {
  const auto first = writeMessageFile(root_ / "new", "one");
  const auto second = writeMessageFile(root_ / "new", "two");
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_TRUE(isMessageFileName(*first));
  EXPECT_EQ(readMessageFile(*first), "one");
  EXPECT_EQ(readMessageFile(*second), "two");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ / "new"), {}), 2);
}

TEST_F(MessageFolderTest, FailedWriteLeavesNothing) {
  std::ofstream(root_ / "file") << "in the way";
  EXPECT_FALSE(writeMessageFile(root_ / "file" / "below", "x"));
  EXPECT_FALSE(readMessageFile(root_ / "missing.sms"));
}

TEST_F(MessageFolderTest, DeliveryNeedsAUserFolder) {
  EXPECT_FALSE(deliverToInbox(InboxMessage{u"1", u"x", 0}));
  setMessageUserFolder(root_.path());
  EXPECT_EQ(inboxFolder(), root_ / "sms" / "inbox");
  EXPECT_EQ(outboxFolder(), root_ / "sms" / "outbox");
  const auto file = deliverToInbox(InboxMessage{u"1", u"x", 0});
  ASSERT_TRUE(file);
  EXPECT_EQ(file->parent_path(), root_ / "sms" / "inbox");
  EXPECT_EQ(parseInboxMessage(*readMessageFile(*file)), (InboxMessage{u"1", u"x", 0}));
}

}  // namespace
}  // namespace wce
