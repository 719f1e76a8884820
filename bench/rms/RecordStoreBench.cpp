// Adding a record to a store that already holds n records, in a registry
// under /dev/shm (or the temporary folder): the cost of an add should not
// grow with n. Reading every record back is the yardstick beside it.

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <system_error>

#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/rms/DRecordStore.h"
#include "platform/registry/Registry.h"
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

}  // namespace

BENCHMARK(BM_AddRecord)->Arg(1)->Arg(100)->Arg(1000)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddRecordAfterOpen)->Arg(1)->Arg(1000)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAllRecords)->Arg(1000)->Unit(benchmark::kMillisecond);
