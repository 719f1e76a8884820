#include <chrono>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "RecordStoreFixture.h"
#include "lang/DExceptionBase.h"
#include "microedition/rms/DRecordStore.h"

using namespace qel::lang;
using qel::rms::DRecordStore;
using qel::rms::DRecordStorePtr;

namespace {

constexpr int32_t InitialRecords = 8;
constexpr int32_t MostRecords = 16;

// Record id's content of one generation: id and generation, then a pattern
// of both, in a length that changes with the generation.
std::string content(int32_t id, uint32_t generation) {
  std::string bytes;
  for (uint32_t word : {static_cast<uint32_t>(id), generation})
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>(word >> shift));
  const size_t length = 8 + (generation * 7 + static_cast<uint32_t>(id)) % 200000;
  for (size_t j = bytes.size(); j < length; ++j) bytes.push_back(static_cast<char>(id * 131 + generation * 17 + j));
  return bytes;
}

// Whether bytes are the whole content of record id in some generation.
bool isWholeContent(int32_t id, const std::string& bytes) {
  if (bytes.size() < 8) return false;
  uint32_t generation = 0;
  for (int i = 4; i < 8; ++i) generation = generation << 8 | static_cast<uint8_t>(bytes[i]);
  return bytes == content(id, generation);
}

// Adds and replaces records until killed, reporting each finished write
// through the pipe.
[[noreturn]] void writeForever(int report, uint32_t seed) {
  try {
    DRecordStorePtr store = DRecordStore::openRecordStore(u"save1", false);
    std::mt19937 random(seed);
    for (uint32_t generation = seed;; ++generation) {
      const int32_t records = store->getNumRecords();
      if (records < MostRecords && random() % 4 == 0) {
        const int32_t id = records + 1;
        DbyteArrayPtr data = RecordStoreFixture::bytes(content(id, generation));
        if (store->addRecord(data, 0, data->length()) != id) _exit(4);
      } else {
        const int32_t id = 1 + static_cast<int32_t>(random() % static_cast<uint32_t>(records));
        DbyteArrayPtr data = RecordStoreFixture::bytes(content(id, generation));
        store->setRecord(id, data, 0, data->length());
      }
      const char done = 1;
      if (write(report, &done, 1) != 1) _exit(5);
    }
  } catch (const DExceptionBase&) {
    _exit(3);
  }
}

using RecordStoreCrashTest = RecordStoreFixture;

TEST_F(RecordStoreCrashTest, ARecordWrittenByAnotherProcessReadsBack) {
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    try {
      DbyteArrayPtr data = bytes("saved game");
      _exit(DRecordStore::openRecordStore(u"save2", true)->addRecord(data, 0, data->length()) == 1 ? 0 : 1);
    } catch (const DExceptionBase&) {
      _exit(2);
    }
  }
  int status = 0;
  waitpid(writer, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(text(DRecordStore::openRecordStore(u"save2", false)->getRecord(1)), "saved game");
}

TEST_F(RecordStoreCrashTest, AKilledWriterLeavesOldOrNewRecords) {
  {
    DRecordStorePtr store = DRecordStore::openRecordStore(u"save1", true);
    for (int32_t id = 1; id <= InitialRecords; ++id) {
      DbyteArrayPtr data = bytes(content(id, 0));
      ASSERT_EQ(store->addRecord(data, 0, data->length()), id);
    }
  }
  std::mt19937 random(20261209);
  for (uint32_t round = 1; round <= 24; ++round) {
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      close(report[0]);
      writeForever(report[1], round * 1000);
    }
    close(report[1]);
    const int writes = 1 + static_cast<int>(random() % 40);
    char done = 0;
    for (int i = 0; i < writes; ++i) ASSERT_EQ(read(report[0], &done, 1), 1) << "the writer stopped early";
    // Spreads the kill over the writer's next operation.
    const auto killAt = std::chrono::steady_clock::now() + std::chrono::microseconds(random() % 3000);
    while (std::chrono::steady_clock::now() < killAt) {}
    kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    close(report[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "writer exit status " << WEXITSTATUS(status);

    DRecordStorePtr store = DRecordStore::openRecordStore(u"save1", false);
    const int32_t records = store->getNumRecords();
    ASSERT_GE(records, InitialRecords);
    ASSERT_LE(records, MostRecords);
    for (int32_t id = 1; id <= records; ++id)
      EXPECT_TRUE(isWholeContent(id, text(store->getRecord(id)))) << "round " << round << ", record " << id;
  }
}

}  // namespace
