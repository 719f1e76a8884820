#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "RecordStoreFixture.h"
#include "microedition/rms/DRecordStore.h"
#include "platform/registry/ScopedKey.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "tests/support/FileSizeLimit.h"

using namespace qel::lang;
using qel::rms::DRecordStore;
using qel::rms::DRecordStorePtr;
namespace Code = qel::lang::ExceptionCode;

namespace {

using RecordStoreTest = RecordStoreFixture;

// Writes a value straight into the store's key, as another build might have.
void putValue(const std::u16string& store, const std::u16string& name, const std::string& data) {
  wce::ScopedKey key;
  ASSERT_EQ(wce::RegCreateKeyExW(wce::HKEY_CURRENT_USER, u"Software\\Palewinds\\A\\" + store, key.receive()),
            wce::ERROR_SUCCESS);
  ASSERT_EQ(wce::RegSetValueExW(key.get(),
                                name,
                                wce::REG_BINARY,
                                reinterpret_cast<const wce::BYTE*>(data.data()),
                                static_cast<wce::DWORD>(data.size())),
            wce::ERROR_SUCCESS);
}

TEST_F(RecordStoreTest, FreshStoreAndLayoutOnDisk) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"option", true);
  EXPECT_EQ(store->getNumRecords(), 0);
  EXPECT_EQ(store->addRecord(bytes("\x01\x02\x03"), 0, 3), 1);
  EXPECT_EQ(store->getClassName(), "DObject");
  const std::filesystem::path folder = storeFolder("a", "option");
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) entries.push_back(entry.path().filename());
  EXPECT_EQ(entries, std::vector<std::string>{"v.1"});
  std::ifstream in(folder / "v.1", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\x01\x02\x03");
}

TEST_F(RecordStoreTest, RecordWrittenByOneOpenReadsInAnother) {
  DRecordStore::openRecordStore(u"winner", true)->addRecord(bytes("names"), 0, 5);
  DRecordStorePtr again = DRecordStore::openRecordStore(u"WINNER", false);
  EXPECT_EQ(text(again->getRecord(1)), "names");
  EXPECT_EQ(again->getRecordSize(1), 5);
}

TEST_F(RecordStoreTest, IdsFollowTheLargestName) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  for (const char16_t* name : {u"1", u"2", u"5"}) putValue(u"s", name, "x");
  EXPECT_EQ(store->addRecord(bytes("6"), 0, 1), 6);
  store->deleteRecord(6);
  store->deleteRecord(5);
  EXPECT_EQ(store->addRecord(bytes("3"), 0, 1), 3);
  EXPECT_EQ(store->getNumRecords(), 3);
}

TEST_F(RecordStoreTest, AddsThroughTwoOpensOfOneStoreNeverShareAnId) {
  DRecordStorePtr first = DRecordStore::openRecordStore(u"s", true);
  DRecordStorePtr second = DRecordStore::openRecordStore(u"s", true);
  EXPECT_EQ(first->addRecord(bytes("a"), 0, 1), 1);
  EXPECT_EQ(first->addRecord(bytes("b"), 0, 1), 2);
  EXPECT_EQ(second->addRecord(bytes("c"), 0, 1), 3);
  EXPECT_EQ(first->addRecord(bytes("d"), 0, 1), 4);
  putValue(u"s", u"5", "e");
  putValue(u"s", u"9", "f");
  EXPECT_EQ(first->addRecord(bytes("g"), 0, 1), 10);
  for (int32_t id = 1; id <= 4; ++id) EXPECT_EQ(text(second->getRecord(id)), std::string(1, "abcd"[id - 1]));
  EXPECT_EQ(text(second->getRecord(10)), "g");
}

TEST_F(RecordStoreTest, OtherValueNames) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  putValue(u"s", u"abc", "?");
  EXPECT_EQ(store->getNumRecords(), 1);
  EXPECT_EQ(store->addRecord(bytes("a"), 0, 1), 1);
  putValue(u"s", u"12abc", "?");
  EXPECT_EQ(store->addRecord(bytes("b"), 0, 1), 13);
  putValue(u"s", u"-40", "?");
  EXPECT_EQ(store->addRecord(bytes("c"), 0, 1), 14);
}

TEST_F(RecordStoreTest, LongValueNamesNeverHideARecord) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  putValue(u"s", u"0" + std::u16string(80, u'0') + u"7", "long");
  putValue(u"s", u"9", "nine");
  EXPECT_EQ(store->addRecord(bytes("new"), 0, 3), 10);
  EXPECT_EQ(text(store->getRecord(9)), "nine");
}

TEST_F(RecordStoreTest, NoIdPastTheLargest) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  putValue(u"s", u"2147483647", "top");
  EXPECT_THROWS_CODE(Code::RecordStore, store->addRecord(bytes("x"), 0, 1));
  store->deleteRecord(2147483647);
  putValue(u"s", u"99999999999", "beyond");
  EXPECT_THROWS_CODE(Code::RecordStore, store->addRecord(bytes("x"), 0, 1));
  EXPECT_EQ(store->getNumRecords(), 1);
}

TEST_F(RecordStoreTest, RangesOfAddAndSet) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  DbyteArrayPtr five = bytes("abcde");
  EXPECT_EQ(store->addRecord(five, 2, 10), 1);
  EXPECT_EQ(text(store->getRecord(1)), "cde");
  EXPECT_THROWS_CODE(Code::RecordStore, store->addRecord(five, 6, 1));
  EXPECT_EQ(store->addRecord(five, 5, 1), 2);
  EXPECT_EQ(store->getRecordSize(2), 0);
  EXPECT_EQ(store->getRecord(2)->length(), 0);
  EXPECT_THROWS_CODE(Code::RecordStore, store->addRecord(five, -1, 2));
  EXPECT_THROWS_CODE(Code::RecordStore, store->addRecord(five, 0, -1));
  EXPECT_THROWS_CODE(Code::RecordStore, store->setRecord(1, five, -2, 2));
  EXPECT_THROWS_CODE(Code::RecordStore, store->setRecord(1, five, 1, -3));
  EXPECT_THROWS_CODE(Code::RecordStore, store->setRecord(1, five, 6, 0));
  EXPECT_EQ(text(store->getRecord(1)), "cde");
  store->setRecord(1, five, 1, 3);
  EXPECT_EQ(text(store->getRecord(1)), "bcd");
  EXPECT_EQ(store->getNumRecords(), 2);
}

TEST_F(RecordStoreTest, RecordsOfEverySizeReadBackWhole) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  for (size_t size : {size_t{1}, size_t{4095}, size_t{4096}, size_t{4097}, size_t{300000}}) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 13 + i / 256);
    const int32_t id = store->addRecord(bytes(data), 0, static_cast<int32_t>(size));
    EXPECT_EQ(text(store->getRecord(id)), data) << size;
    EXPECT_EQ(store->getRecordSize(id), static_cast<int32_t>(size));
  }
}

TEST_F(RecordStoreTest, NullDataStoresAnEmptyRecord) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  EXPECT_EQ(store->addRecord(nullptr, 0, 5), 1);
  EXPECT_EQ(store->getRecord(1)->length(), 0);
  EXPECT_EQ(store->addRecord(nullptr, 7, -1), 2);
  store->closeRecordStore();
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->addRecord(nullptr, 0, 0));
}

TEST_F(RecordStoreTest, MissingRecords) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  EXPECT_THROWS_CODE(Code::InvalidRecordID, store->setRecord(4, bytes("x"), 0, 1));
  EXPECT_THROWS_CODE(Code::RecordStore, store->getRecord(4));
  EXPECT_THROWS_CODE(Code::RecordStore, store->getRecordSize(4));
  store->deleteRecord(4);
  EXPECT_EQ(store->getNumRecords(), 0);
}

// A value larger than a record can be (left by a damaged store or another
// program) is refused unread: the sparse files cost nothing unless read.
TEST_F(RecordStoreTest, ValuesAboveTheRecordLimitAreRefusedUnread) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"path", true);
  const std::filesystem::path folder = storeFolder("a", "path");
  const std::pair<const char*, uint64_t> values[] = {
      {"v.1", DRecordStore::MaxRecordSize}, {"v.2", DRecordStore::MaxRecordSize + 1}, {"v.3", uint64_t{1900} << 20}};
  for (const auto& [name, size] : values) {
    std::ofstream(folder / name, std::ios::binary).close();
    std::filesystem::resize_file(folder / name, size);
  }
  EXPECT_EQ(store->getRecord(1)->length(), DRecordStore::MaxRecordSize);
  EXPECT_THROWS_CODE(Code::RecordStore, store->getRecord(2));
  EXPECT_THROWS_CODE(Code::RecordStore, store->getRecord(3));
  const DbyteArrayPtr tooLarge = new DbyteArray(DRecordStore::MaxRecordSize + 1);
  EXPECT_THROWS_CODE(Code::RecordStore, store->addRecord(tooLarge, 0, tooLarge->length()));
  EXPECT_THROWS_CODE(Code::RecordStore, store->setRecord(1, tooLarge, 0, tooLarge->length()));
  EXPECT_EQ(store->getRecord(1)->length(), DRecordStore::MaxRecordSize);
  EXPECT_EQ(store->addRecord(tooLarge, 1, tooLarge->length()), 4);
}

TEST_F(RecordStoreTest, ClosedStore) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  store->addRecord(bytes("x"), 0, 1);
  store->closeRecordStore();
  store->closeRecordStore();
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->getNumRecords());
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->addRecord(bytes("y"), 0, 1));
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->setRecord(1, bytes("y"), 0, 1));
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->getRecord(1));
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->getRecordSize(1));
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, store->deleteRecord(1));
  EXPECT_EQ(text(DRecordStore::openRecordStore(u"s", false)->getRecord(1)), "x");
}

TEST_F(RecordStoreTest, OpenFailures) {
  EXPECT_THROWS_CODE(Code::IllegalArgument, DRecordStore::openRecordStore(nullptr, true));
  EXPECT_THROWS_CODE(Code::RecordStoreNotFound, DRecordStore::openRecordStore(u"missing", false));
  EXPECT_THROWS_CODE(Code::RecordStore, DRecordStore::openRecordStore(u"a\\\\b", true));
  EXPECT_THROWS_CODE(Code::RecordStore, DRecordStore::openRecordStore(std::u16string(200, u'%').c_str(), true));
  EXPECT_FALSE(std::filesystem::exists(storeFolder("a", "missing")));
}

struct Failure {
  uint32_t code = 0;
  std::u16string message;
  bool operator==(const Failure&) const = default;
};

// What body throws; code 0 when it throws nothing.
template <class Body>
Failure failureOf(Body&& body) {
  try {
    body();
  } catch (const DExceptionBase& e) {
    return {e.code(), std::u16string(e.message())};
  }
  return {};
}

// Writes the disk refuses say why, and leave the store as it was: its
// records whole, no trace of the failed writes. A name the registry refuses
// before any system call has no reason to give.
TEST_F(RecordStoreTest, FailedWritesSayWhyAndKeepTheStore) {
  DRecordStorePtr store = DRecordStore::openRecordStore(u"s", true);
  store->addRecord(bytes("old"), 0, 3);
  {
    const nvtest::FileSizeLimit full(2);
    const Failure tooLarge{Code::RecordStore, u"File too large"};
    EXPECT_EQ(failureOf([&] { store->setRecord(1, bytes("newer"), 0, 5); }), tooLarge);
    EXPECT_EQ(failureOf([&] { store->addRecord(bytes("more"), 0, 4); }), tooLarge);
  }
  EXPECT_EQ(text(store->getRecord(1)), "old");
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(storeFolder("a", "s")))
    files.push_back(entry.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"v.1"});

  std::ofstream(storeFolder("a", "file")) << "a plain file where the store's key would be";
  EXPECT_EQ(failureOf([] { DRecordStore::openRecordStore(u"file", true); }),
            (Failure{Code::RecordStoreNotFound, u"Not a directory"}));
  EXPECT_EQ(failureOf([] { DRecordStore::openRecordStore(u"a\\\\b", true); }), (Failure{Code::RecordStore, u""}));
}

TEST_F(RecordStoreTest, EachOpenHasItsOwnHandle) {
  DRecordStorePtr first = DRecordStore::openRecordStore(u"s", true);
  DRecordStorePtr second = DRecordStore::openRecordStore(u"s", false);
  first->closeRecordStore();
  EXPECT_EQ(second->addRecord(bytes("x"), 0, 1), 1);
  EXPECT_EQ(second->getNumRecords(), 1);
}

TEST_F(RecordStoreTest, DeletingStores) {
  EXPECT_THROWS_CODE(Code::RecordStoreNotFound, DRecordStore::deleteRecordStore(u"path"));
  EXPECT_THROWS_CODE(Code::RecordStoreNotFound, DRecordStore::deleteRecordStore(nullptr));
  DRecordStorePtr stale = DRecordStore::openRecordStore(u"path", true);
  stale->addRecord(bytes("old"), 0, 3);
  DRecordStore::deleteRecordStore(u"path");
  EXPECT_FALSE(std::filesystem::exists(storeFolder("a", "path")));
  EXPECT_THROWS_CODE(Code::RecordStore, stale->addRecord(bytes("x"), 0, 1));
  EXPECT_THROWS_CODE(Code::RecordStoreNotOpen, stale->getNumRecords());
  EXPECT_FALSE(std::filesystem::exists(storeFolder("a", "path")));

  DRecordStorePtr fresh = DRecordStore::openRecordStore(u"path", true);
  EXPECT_EQ(fresh->getNumRecords(), 0);
  EXPECT_EQ(fresh->addRecord(bytes("new"), 0, 3), 1);
  EXPECT_THROWS_CODE(Code::RecordStoreNotFound, DRecordStore::openRecordStore(u"other", false));
}

TEST_F(RecordStoreTest, DeletingAStoreWithSubkeys) {
  DRecordStore::openRecordStore(u"tree", true)->addRecord(bytes("r"), 0, 1);
  for (const char16_t* sub : {u"tree\\one", u"tree\\one\\deeper", u"tree\\two"})
    DRecordStore::openRecordStore(sub, true)->addRecord(bytes("s"), 0, 1);
  DRecordStore::deleteRecordStore(u"tree");
  EXPECT_FALSE(std::filesystem::exists(storeFolder("a", "tree")));
  EXPECT_THROWS_CODE(Code::RecordStoreNotFound, DRecordStore::openRecordStore(u"tree\\one", false));
}

TEST_F(RecordStoreTest, StoresWithoutAnApplicationName) {
  qel::lang::Host::install(nullptr);
  DRecordStore::openRecordStore(u"option", true)->addRecord(bytes("o"), 0, 1);
  EXPECT_TRUE(std::filesystem::exists(storeFolder("null", "option") / "v.1"));
}

}  // namespace
