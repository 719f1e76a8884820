#include <fstream>
#include <sstream>

#include "SmsFixture.h"
#include "lang/DExceptionBase.h"
#include "tests/platform/sms/probe/SmsProbe.h"

namespace qel::messaging {
namespace {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
namespace Code = qel::lang::ExceptionCode;

class SendTest : public SmsFixture {
protected:
  SendTest() { DMessageConnection::initSmsAccess(); }

  void send(const char16_t* address, const char16_t* text) {
    DMessagePtr message = connection_->newMessage(u"text", address);
    message->setPayloadText(text);
    connection_->send(message);
  }

  DMessageConnectionPtr connection_ = DMessageConnection::open(u"sms://+4912345678:5000");
};

TEST_F(SendTest, ConnectionAddressIsTheTextAfterTheSlashes) {
  EXPECT_TRUE(connection_->getAddress()->equals(u"+4912345678:5000"));
  EXPECT_EQ(connection_->getState(), 0);
}

TEST_F(SendTest, InternationalNumberLosesItsPlusAndKeepsItsType) {
  wce::ManualClock clock(0, 1'700'000'000'000);
  wce::ScopedClockSource scoped(clock);
  send(u"+4912345678", u"Gr\u00fc\u00dfe \U0001F600");
  const auto files = std::vector(std::filesystem::directory_iterator(outbox()), {});
  ASSERT_EQ(files.size(), 1u);
  std::ifstream in(files[0].path(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(),
            "to: 4912345678\ntype: international\nclass: 1\nsent: 1700000000000\n\nGr\xC3\xBC\xC3\x9F"
            "e \xF0\x9F\x98\x80");
  EXPECT_EQ(wce::openSmsHandles(), 0);
}

TEST_F(SendTest, LocalNumberAndEmptyText) {
  send(u"0301234567", u"");
  const auto messages = outboxMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].address, u"0301234567");
  EXPECT_FALSE(messages[0].international);
  EXPECT_EQ(messages[0].messageClass, 1u);
  EXPECT_EQ(messages[0].text, u"");
}

TEST_F(SendTest, MessageGoesToTheAddressSetLast) {
  DMessagePtr message = connection_->newMessage(u"text", u"5550000");
  message->setAddress(DStringPtr(u"0301234567"));
  message->setPayloadText(DStringPtr(u"moved"));
  connection_->send(message);
  const auto messages = outboxMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].address, u"0301234567");
  EXPECT_EQ(messages[0].text, u"moved");
}

TEST_F(SendTest, AddressIsCutAt256Units) {
  send(std::u16string(300, u'7').c_str(), u"long");
  const auto messages = outboxMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].address, std::u16string(256, u'7'));
}

TEST_F(SendTest, MessageWithoutAddressOrTextIsRefused) {
  DMessagePtr noText = connection_->newMessage(u"text", u"5551234");
  DMessagePtr noAddress = connection_->newMessage(u"text", nullptr);
  noAddress->setPayloadText(u"x");
  for (const DMessagePtr& message : {noText, noAddress}) {
    try {
      connection_->send(message);
      ADD_FAILURE() << "sent an incomplete message";
    } catch (const DExceptionBase& e) {
      EXPECT_EQ(e.code(), Code::IllegalArgument);
    }
  }
  EXPECT_TRUE(outboxMessages().empty());
}

struct SendFailure {
  wce::HRESULT result;
  uint32_t code;
  const char16_t* message;
};

class SendFailureTest : public SendTest, public ::testing::WithParamInterface<SendFailure> {};

TEST_P(SendFailureTest, ResultMapsToItsExceptionAndTheHandleIsClosed) {
  wce::setNextSmsResult(wce::SmsCall::SendMessage, GetParam().result);
  try {
    send(u"5551234", u"x");
    ADD_FAILURE() << "the send did not fail";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), GetParam().code);
    EXPECT_EQ(e.message(), std::u16string_view(GetParam().message));
  }
  EXPECT_EQ(wce::openSmsHandles(), 0);
  EXPECT_TRUE(outboxMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    ErrorTable, SendFailureTest,
    ::testing::Values(
        SendFailure{wce::makeResult(0x82000208u), Code::IllegalArgument, u"Failed send SMS - error SMS_E_BADPARAM"},
        SendFailure{wce::makeResult(0x80070057u), Code::IllegalArgument, u"Failed send SMS - error E_INVALIDARG"},
        SendFailure{
            wce::makeResult(0x82000107u), Code::IllegalArgument, u"Failed send SMS - error SMS_E_INVALIDADDRESS"},
        SendFailure{wce::makeResult(0x8200020Du), Code::IO, u"Failed send SMS - error SMS_E_RADIOUNAVAILABLE"},
        SendFailure{wce::makeResult(0x82000204u), Code::IO, u"Failed send SMS - error SMS_E_NETWORK"},
        SendFailure{wce::makeResult(0x82000203u), Code::IO, u"Failed send SMS - error SMS_E_NETWORKACCESS"},
        SendFailure{wce::makeResult(0x80004005u), Code::IO, u"Failed send SMS - error code 80004005h"},
        SendFailure{wce::makeResult(0x8200ABCDu), Code::IO, u"Failed send SMS - error code 8200abcdh"}));

TEST_F(SendTest, RefusedAddressFromTheTransportIsAnIllegalArgument) {
  try {
    send(u"12-34", u"x");
    ADD_FAILURE() << "sent to a bad address";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), Code::IllegalArgument);
    EXPECT_EQ(e.message(), u"Failed send SMS - error SMS_E_INVALIDADDRESS");
  }
  EXPECT_EQ(wce::openSmsHandles(), 0);
}

TEST_F(SendTest, FailedOpenReportsItsResult) {
  wce::setNextSmsResult(wce::SmsCall::Open, wce::makeResult(0x80004005u));
  try {
    send(u"5551234", u"x");
    ADD_FAILURE() << "sent without an open transport";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), Code::IO);
    EXPECT_EQ(e.message(), u"Failed open SMS in SMS_MODE_SEND - error code 80004005");
  }
  EXPECT_EQ(wce::openSmsHandles(), 0);
}

}  // namespace
}  // namespace qel::messaging
