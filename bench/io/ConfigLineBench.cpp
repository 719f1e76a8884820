// A configuration file holding one line of 1 MB, loaded into the table from
// its file through the file stream, beside std::getline reading the same
// file: reading byte by byte must not cost a system call a byte.

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

#include "io/DFileInputStream.h"
#include "lang/DString.h"
#include "platform/testing/FolderOverrides.h"
#include "util/DStringManager.h"

using qel::io::DFileInputStream;
using qel::util::DStringManager;
using qel::util::DStringManagerPtr;

namespace {

constexpr size_t kLineBytes = 1 << 20;

// The file lies in a folder of its own, the program and user folder while
// the benchmarks run.
class ConfigFolder {
public:
  ConfigFolder() : folder_(std::filesystem::temp_directory_path() / ("nv-config-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "engine.ini", std::ios::binary) << "long=" << std::string(kLineBytes, 'x') << "\nshort=1\n";
    wce::setProgramFolder(folder_);
    wce::setUserFolder(folder_);
  }
  ~ConfigFolder() {
    wce::setProgramFolder({});
    wce::setUserFolder({});
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  std::filesystem::path file() const { return folder_ / "engine.ini"; }

private:
  std::filesystem::path folder_;
};

void BM_GetlineLongLine(benchmark::State& state) {
  ConfigFolder folder;
  for (auto _ : state) {
    std::ifstream in(folder.file(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) benchmark::DoNotOptimize(line.data());
  }
}

void BM_OursLoadLongLine(benchmark::State& state) {
  ConfigFolder folder;
  for (auto _ : state) {
    DStringManagerPtr table = new DStringManager(0);
    table->load(u"engine.ini", new DFileInputStream(u"engine.ini"), DStringManager::ModeBytes, true);
    benchmark::DoNotOptimize(table->getString(u"short"));
  }
}

}  // namespace

BENCHMARK(BM_GetlineLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursLoadLongLine)->Unit(benchmark::kMillisecond);
