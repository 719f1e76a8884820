// Adding a record to a store that already holds n records, in a registry
// under /dev/shm (or the temporary folder): the cost of an add should not
// grow with n. Beside them their anchors on the same file system: a
// hand-written atomic replace (temporary file, fsync, rename, fsync of the
// folder) for an add, and open/read/close of files of the record's size for
// reading every record back.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <unistd.h>

#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/rms/DRecordStore.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/core/tavrine/src/common/lang/TestHost.h"

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::rms::DRecordStore;
using qel::rms::DRecordStorePtr;

namespace {

// A fresh registry for one benchmark, removed after it.
class ScratchRegistry {
public:
  ScratchRegistry() {
    std::error_code error;
    std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "nv-rms-bench-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    wce::setRegistryRoot(root_);
  }
  ~ScratchRegistry() {
    wce::setRegistryRoot({});
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }

  const std::filesystem::path& root() const { return root_; }

private:
  std::filesystem::path root_;
  qel::lang::ApplicationNameHost host_{u"Bench"};
};

DbyteArrayPtr record() {
  DbyteArrayPtr data = new DbyteArray(64);
  for (int32_t i = 0; i < data->length(); ++i) data->at(i) = static_cast<int8_t>(i);
  return data;
}

// Adds to a store that holds state.range(0) records (200 more by the end).
void BM_AddRecord(benchmark::State& state) {
  ScratchRegistry registry;
  DRecordStorePtr store = DRecordStore::openRecordStore(u"bench", true);
  DbyteArrayPtr data = record();
  for (int64_t i = 0; i < state.range(0); ++i) store->addRecord(data, 0, data->length());
  for (auto _ : state) benchmark::DoNotOptimize(store->addRecord(data, 0, data->length()));
  store->closeRecordStore();
}

// The same after reopening the store: the first add lists the store.
void BM_AddRecordAfterOpen(benchmark::State& state) {
  ScratchRegistry registry;
  DRecordStorePtr store = DRecordStore::openRecordStore(u"bench", true);
  DbyteArrayPtr data = record();
  for (int64_t i = 0; i < state.range(0); ++i) store->addRecord(data, 0, data->length());
  store->closeRecordStore();
  for (auto _ : state) {
    DRecordStorePtr reopened = DRecordStore::openRecordStore(u"bench", false);
    benchmark::DoNotOptimize(reopened->addRecord(data, 0, data->length()));
    reopened->closeRecordStore();
  }
}

void BM_ReadAllRecords(benchmark::State& state) {
  ScratchRegistry registry;
  DRecordStorePtr store = DRecordStore::openRecordStore(u"bench", true);
  DbyteArrayPtr data = record();
  for (int64_t i = 0; i < state.range(0); ++i) store->addRecord(data, 0, data->length());
  for (auto _ : state)
    for (int32_t id = 1; id <= state.range(0); ++id) benchmark::DoNotOptimize(store->getRecord(id));
  store->closeRecordStore();
}

// What an add must at least do to be crash-safe.
void BM_AtomicReplaceByHand(benchmark::State& state) {
  ScratchRegistry scratch;
  const int folder = ::open(scratch.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DbyteArrayPtr data = record();
  int64_t next = 0;
  for (auto _ : state) {
    const std::string name = std::to_string(++next);
    const int file = ::openat(folder, ".tmp", O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    benchmark::DoNotOptimize(::write(file, data->data(), static_cast<size_t>(data->length())));
    ::fsync(file);
    ::close(file);
    ::renameat(folder, ".tmp", folder, name.c_str());
    ::fsync(folder);
  }
  ::close(folder);
}

// Files of the record's size, each opened, read and closed.
void BM_ReadAllPlainFiles(benchmark::State& state) {
  ScratchRegistry scratch;
  const int folder = ::open(scratch.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DbyteArrayPtr data = record();
  for (int64_t id = 1; id <= state.range(0); ++id) {
    const int file = ::openat(folder, std::to_string(id).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    benchmark::DoNotOptimize(::write(file, data->data(), static_cast<size_t>(data->length())));
    ::close(file);
  }
  char buffer[4096];
  for (auto _ : state) {
    for (int64_t id = 1; id <= state.range(0); ++id) {
      const int file = ::openat(folder, std::to_string(id).c_str(), O_RDONLY | O_CLOEXEC);
      benchmark::DoNotOptimize(::read(file, buffer, sizeof buffer));
      ::close(file);
    }
  }
  ::close(folder);
}

}  // namespace

BENCHMARK(BM_AtomicReplaceByHand)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddRecord)->Arg(1)->Arg(100)->Arg(1000)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddRecordAfterOpen)->Arg(1)->Arg(1000)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAllPlainFiles)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAllRecords)->Arg(1000)->Unit(benchmark::kMillisecond);
