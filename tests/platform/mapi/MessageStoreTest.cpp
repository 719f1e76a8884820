#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/mapi/Mapi.h"
#include "platform/sms/MessageFile.h"
#include "platform/sms/MessageFolders.h"
#include "tests/platform/mapi/probe/MapiProbe.h"
#include "tests/platform/sms/probe/SmsProbe.h"
#include "tests/support/TempFolder.h"

namespace wce {
namespace {

// Records what the store tells it, from whichever thread.
class RecordingSink final : public IMAPIAdviseSink {
public:
  HRESULT QueryInterface(const void*, void**) override { return E_NOTIMPL; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }

  ULONG OnNotify(ULONG count, const Notification* notifications) override {
    std::lock_guard lock(guard);
    for (ULONG i = 0; i < count; ++i) {
      const ObjectNotification& object = notifications[i].object;
      events.push_back(notifications[i].eventType);
      entries.emplace_back(reinterpret_cast<const char*>(object.entryId), object.entryIdSize);
      parents.emplace_back(object.parentId, object.parentId + object.parentIdSize);
    }
    threads.push_back(std::this_thread::get_id());
    changed.notify_all();
    return 0;
  }

  bool waitForEntries(std::size_t count) {
    std::unique_lock lock(guard);
    return changed.wait_for(lock, std::chrono::seconds(10), [&] { return entries.size() >= count; });
  }

  std::atomic<ULONG> references{1};
  std::mutex guard;
  std::condition_variable changed;
  std::vector<ULONG> events;
  std::vector<std::string> entries;
  std::vector<std::vector<std::uint8_t>> parents;
  std::vector<std::thread::id> threads;
};

class MessageStoreTest : public ::testing::Test {
protected:
  MessageStoreTest() {
    setMessageUserFolder(root_.path());
    EXPECT_EQ(MAPIInitialize(nullptr), S_OK);
    EXPECT_EQ(MAPILogonEx(0, u"", u"", 0, &session_), S_OK);
    store_ = openStore();
  }

  ~MessageStoreTest() override {
    if (inbox_) inbox_->Release();
    if (store_) store_->Release();
    if (session_) session_->Release();
    MAPIUninitialize();
    EXPECT_EQ(mapiUsage(), (MapiUsage{0, 0, 0, 0}));
    clearNextMapiResults();
    clearMessageUserFolder();
  }

  IMsgStore* openStore() {
    IMAPITable* table = nullptr;
    EXPECT_EQ(session_->GetMsgStoresTable(MAPI_UNICODE, &table), S_OK);
    const ULONG tags[] = {PR_DISPLAY_NAME_W, PR_ENTRYID};
    const PropTagArray columns{2, tags};
    EXPECT_EQ(table->SetColumns(&columns, 0), S_OK);
    RowSet* rows = nullptr;
    EXPECT_EQ(table->QueryRows(10, 0, &rows), S_OK);
    table->Release();
    EXPECT_EQ(rows->rowCount, 1u);
    EXPECT_EQ(std::u16string(rows->rows[0].values[0].value.unicode), u"SMS");
    const MapiBinary id = rows->rows[0].values[1].value.binary;
    IMsgStore* store = nullptr;
    EXPECT_EQ(session_->OpenMsgStore(0, id.size, id.bytes, nullptr, MDB_NO_DIALOG | MAPI_BEST_ACCESS, &store), S_OK);
    MAPIFreeBuffer(rows);
    return store;
  }

  std::vector<std::uint8_t> inboxId() {
    const ULONG tags[] = {PR_CE_IPM_INBOX_ENTRYID};
    const PropTagArray request{1, tags};
    ULONG count = 0;
    PropValue* values = nullptr;
    EXPECT_EQ(store_->GetProps(&request, MAPI_UNICODE, &count, &values), S_OK);
    std::vector<std::uint8_t> id(values[0].value.binary.bytes,
                                 values[0].value.binary.bytes + values[0].value.binary.size);
    MAPIFreeBuffer(values);
    return id;
  }

  IMAPIFolder* openInbox() {
    const auto id = inboxId();
    ULONG type = 0;
    EXPECT_EQ(store_->OpenEntry(static_cast<ULONG>(id.size()), id.data(), nullptr, 2, &type, &inbox_), S_OK);
    EXPECT_EQ(type, MAPI_FOLDER);
    return inbox_;
  }

  std::filesystem::path inboxFolderPath() const { return root_ / "sms" / "inbox"; }

  nvtest::TempFolder root_{"nv-mapi"};
  IMAPISession* session_ = nullptr;
  IMsgStore* store_ = nullptr;
  IMAPIFolder* inbox_ = nullptr;
};

TEST_F(MessageStoreTest, LogonNeedsInitializeAndAFolder) {
  IMAPISession* session = nullptr;
  MAPIUninitialize();
  EXPECT_EQ(MAPILogonEx(0, u"", u"", 0, &session), MAPI_E_NOT_INITIALIZED);
  ASSERT_EQ(MAPIInitialize(nullptr), S_OK);
  clearMessageUserFolder();
  EXPECT_EQ(MAPILogonEx(0, u"", u"", 0, &session), MAPI_E_LOGON_FAILED);
  EXPECT_EQ(session, nullptr);
}

TEST_F(MessageStoreTest, OnlyTheSmsStoreOpens) {
  const std::uint8_t other[] = {1, 2, 3};
  IMsgStore* store = nullptr;
  EXPECT_EQ(session_->OpenMsgStore(0, 3, other, nullptr, 0, &store), MAPI_E_NOT_FOUND);
  EXPECT_EQ(store, nullptr);
  ULONG type = 0;
  EXPECT_EQ(store_->OpenEntry(3, other, nullptr, 2, &type, &inbox_), MAPI_E_NOT_FOUND);
}

TEST_F(MessageStoreTest, MissingPropertiesComeBackAsErrors) {
  const ULONG tags[] = {PR_CE_IPM_INBOX_ENTRYID, PR_SUBJECT_W};
  const PropTagArray request{2, tags};
  ULONG count = 0;
  PropValue* values = nullptr;
  ASSERT_EQ(store_->GetProps(&request, MAPI_UNICODE, &count, &values), MAPI_W_ERRORS_RETURNED);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(values[0].tag, PR_CE_IPM_INBOX_ENTRYID);
  EXPECT_GT(values[0].value.binary.size, 0u);
  EXPECT_EQ(values[1].tag, (PR_SUBJECT_W & 0xFFFF0000u) | PT_ERROR);
  EXPECT_EQ(values[1].value.error, MAPI_E_NOT_FOUND);
  EXPECT_EQ(MAPIFreeBuffer(values), static_cast<ULONG>(S_OK));
}

TEST_F(MessageStoreTest, ContentsAreSortedAndReadInBatches) {
  for (int i = 0; i < 5; ++i) {
    deliverToInbox(InboxMessage{u"+49" + std::u16string(1, static_cast<char16_t>(u'0' + i)), u"m", (i * 7) % 5 * 1000});
  }
  std::ofstream(inboxFolderPath() / "junk.sms") << "junk";
  IMAPITable* table = nullptr;
  ASSERT_EQ(openInbox()->GetContentsTable(MAPI_UNICODE, &table), S_OK);
  const ULONG tags[] = {PR_SENDER_EMAIL_ADDRESS_W, PR_MESSAGE_DELIVERY_TIME, PR_MESSAGE_FLAGS};
  const PropTagArray columns{3, tags};
  ASSERT_EQ(table->SetColumns(&columns, 0), S_OK);
  const SortOrder newestFirst{PR_MESSAGE_DELIVERY_TIME, TABLE_SORT_DESCEND};
  const SortOrderSet order{1, &newestFirst};
  ASSERT_EQ(table->SortTable(&order, 0), S_OK);
  std::u16string senders;
  std::uint64_t previous = UINT64_MAX;
  for (;;) {
    RowSet* rows = nullptr;
    ASSERT_EQ(table->QueryRows(2, 0, &rows), S_OK);
    const ULONG count = rows->rowCount;
    for (ULONG r = 0; r < count; ++r) {
      senders += rows->rows[r].values[0].value.unicode;
      const FileTime time = rows->rows[r].values[1].value.time;
      const std::uint64_t ticks = (std::uint64_t{time.high} << 32) | time.low;
      EXPECT_LT(ticks, previous);
      previous = ticks;
    }
    MAPIFreeBuffer(rows);
    if (count == 0) break;
  }
  // Delivered at 0, 2000, 4000, 1000 and 3000 ms.
  EXPECT_EQ(senders, u"+492+494+491+493+490");
  EXPECT_EQ(previous, 116444736000000000u);
  const SortOrder twoKeys[2] = {newestFirst, newestFirst};
  const SortOrderSet tooMany{2, twoKeys};
  EXPECT_EQ(table->SortTable(&tooMany, 0), MAPI_E_TOO_COMPLEX);
  table->Release();
}

TEST_F(MessageStoreTest, NotificationsComeFromAnotherThreadForEachNewMessage) {
  RecordingSink sink;
  ULONG connection = 0;
  ASSERT_EQ(store_->Advise(0, nullptr, fnevObjectCreated, &sink, &connection), S_OK);
  EXPECT_EQ(sink.references, 2u);
  std::ofstream(inboxFolderPath() / "broken.sms") << "from: 1\n";
  const auto first = deliverToInbox(InboxMessage{u"1", u"a", 1});
  const auto second = deliverToInbox(InboxMessage{u"2", u"b", 2});
  ASSERT_TRUE(sink.waitForEntries(2));
  EXPECT_EQ(store_->Unadvise(connection), S_OK);
  EXPECT_EQ(sink.references, 1u);
  EXPECT_EQ(store_->Unadvise(connection), MAPI_E_NOT_FOUND);

  std::lock_guard lock(sink.guard);
  EXPECT_EQ(sink.entries, (std::vector<std::string>{first->filename().string(), second->filename().string()}));
  EXPECT_EQ(sink.events, (std::vector<ULONG>{fnevObjectCreated, fnevObjectCreated}));
  EXPECT_EQ(sink.parents[0], inboxId());
  for (std::thread::id thread : sink.threads) EXPECT_NE(thread, std::this_thread::get_id());
}

TEST_F(MessageStoreTest, ReleasingTheStoreEndsItsAdviseConnections) {
  RecordingSink sink;
  ULONG connection = 0;
  ASSERT_EQ(store_->Advise(0, nullptr, fnevObjectCreated, &sink, &connection), S_OK);
  EXPECT_EQ(mapiUsage().adviseConnections, 1);
  store_->Release();
  store_ = nullptr;
  EXPECT_EQ(mapiUsage().adviseConnections, 0);
  EXPECT_EQ(sink.references, 1u);
}

TEST_F(MessageStoreTest, AdviseRefusals) {
  RecordingSink sink;
  ULONG connection = 0;
  const std::uint8_t id[] = {1};
  EXPECT_EQ(store_->Advise(1, id, fnevObjectCreated, &sink, &connection), MAPI_E_NO_SUPPORT);
  EXPECT_EQ(store_->Advise(0, nullptr, 0x08, &sink, &connection), MAPI_E_NO_SUPPORT);
  EXPECT_EQ(store_->Advise(0, nullptr, fnevObjectCreated, nullptr, &connection), E_INVALIDARG);
  setNextMapiResult(MapiCall::Advise, E_FAIL);
  EXPECT_EQ(store_->Advise(0, nullptr, fnevObjectCreated, &sink, &connection), E_FAIL);
  EXPECT_EQ(sink.references, 1u);
}

TEST(MapiBufferTest, FreeingChecksTheBuffer) {
  void* root = nullptr;
  void* more = nullptr;
  ASSERT_EQ(MAPIAllocateBuffer(16, &root), S_OK);
  ASSERT_EQ(MAPIAllocateMore(8, root, &more), S_OK);
  int local = 0;
  EXPECT_EQ(MAPIAllocateMore(8, &local, &more), E_INVALIDARG);
  EXPECT_EQ(MAPIFreeBuffer(&local), static_cast<ULONG>(E_INVALIDARG));
  EXPECT_EQ(MAPIFreeBuffer(nullptr), static_cast<ULONG>(S_OK));
  EXPECT_EQ(mapiUsage().liveBuffers, 1);
  EXPECT_EQ(MAPIFreeBuffer(root), static_cast<ULONG>(S_OK));
  EXPECT_EQ(MAPIFreeBuffer(root), static_cast<ULONG>(E_INVALIDARG));
  EXPECT_EQ(mapiUsage().liveBuffers, 0);
}

}  // namespace
}  // namespace wce
