// The archive readers beside bare libarchive on the same archive files:
// 2000 files of 10 KB in a non-solid LZMA 7z (made by 7zz) and a deflated
// zip (made by Info-ZIP zip), both read from their files (ours through the
// file stream, as the game opens "game.dat"). Needs 7zz and zip on the path.

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "io/D7zArchive.h"
#include "io/DFileInputStream.h"
#include "io/DZipArchive.h"
#include "lang/DString.h"
#include "platform/testing/FolderOverrides.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

constexpr int kFiles = 2000;
constexpr int kFileSize = 10000;
// Entries read out of order per iteration (the slow path of old made all 2000 too long).
constexpr int kRandomReads = 100;

// The archives lie in a folder of their own, which serves as program and
// user folder while the benchmarks run.
struct Corpus {
  std::vector<std::string> names;
  std::filesystem::path folder;
  bool ready = false;

  std::string path(const char* file) const { return (folder / file).string(); }
  ~Corpus() {
    std::error_code error;
    if (!folder.empty()) std::filesystem::remove_all(folder, error);
  }
};

// Text-like contents: words drawn from a small vocabulary, compressing about 3:1.
const Corpus& corpus() {
  static Corpus corpus = [] {
    Corpus c;
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("nv-archive-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "files");
    std::mt19937 random(2000);
    const char* words[] = {"lantern", "door", "key", "guard", "shadow", "vault", "stair", "window", "night", "alarm"};
    for (int i = 0; i < kFiles; ++i) {
      std::string name = "f" + std::to_string(i) + ".txt";
      std::string text;
      while (text.size() < kFileSize) text.append(words[random() % 10]).append(random() % 8 ? " " : "\n");
      text.resize(kFileSize);
      std::ofstream(dir / "files" / name, std::ios::binary) << text;
      c.names.push_back(name);
    }
    std::string quiet = " >/dev/null 2>&1";
    std::string in = "cd '" + (dir / "files").string() + "' && ";
    c.ready = std::system((in + "7zz a -t7z -m0=LZMA -ms=off -mf=off ../a.7z . -bso0 -bsp0" + quiet).c_str()) == 0 &&
              std::system((in + "zip -q -X -6 -r ../a.zip ." + quiet).c_str()) == 0;
    std::error_code error;
    std::filesystem::remove_all(dir / "files", error);
    c.folder = dir;
    wce::setProgramFolder(dir);
    wce::setUserFolder(dir);
    return c;
  }();
  return corpus;
}

template <class Archive>
DArchivePtr openOurs(const char16_t* file) {
  DArchivePtr archive = new Archive();
  archive->open(new DFileInputStream(new DString(file)), u"");
  return archive;
}

bool ready(benchmark::State& state) {
  if (corpus().ready) return true;
  state.SkipWithError("7zz or zip missing");
  return false;
}

void perEntry(benchmark::State& state, int entries) {
  state.counters["per_entry"] =
      benchmark::Counter(entries, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void readOurs(DArchive& archive, const std::string& name) {
  DInputStreamPtr in = archive.openEntryStream(new DString(std::u16string(name.begin(), name.end())));
  benchmark::DoNotOptimize(in->getData());
}

// Bare libarchive on the file: every header, with or without its data.
void libarchivePass(const std::string& path, bool withData) {
  struct archive* a = archive_read_new();
  archive_read_support_format_7zip(a);
  archive_read_support_format_zip(a);
  archive_read_open_filename(a, path.c_str(), 10240);
  std::vector<uint8_t> buffer(kFileSize);
  struct archive_entry* entry = nullptr;
  while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
    while (withData && archive_read_data(a, buffer.data(), buffer.size()) > 0) benchmark::ClobberMemory();
  }
  archive_read_free(a);
}

void BM_Libarchive7zList(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) libarchivePass(corpus().path("a.7z"), false);
}

void BM_Libarchive7zExtractAll(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) libarchivePass(corpus().path("a.7z"), true);
  perEntry(state, kFiles);
}

void BM_Ours7zOpen(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(openOurs<D7zArchive>(u"a.7z"));
}

void BM_Ours7zExtractInOrder(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) {
    DArchivePtr archive = openOurs<D7zArchive>(u"a.7z");
    for (const std::string& name : corpus().names) readOurs(*archive, name);
  }
  perEntry(state, kFiles);
}

void BM_Ours7zExtractRandomOrder(benchmark::State& state) {
  if (!ready(state)) return;
  std::vector<std::string> order = corpus().names;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  order.resize(kRandomReads);
  DArchivePtr archive = openOurs<D7zArchive>(u"a.7z");
  for (auto _ : state)
    for (const std::string& name : order) readOurs(*archive, name);
  perEntry(state, kRandomReads);
}

void BM_LibarchiveZipList(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) libarchivePass(corpus().path("a.zip"), false);
}

void BM_LibarchiveZipExtractAll(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) libarchivePass(corpus().path("a.zip"), true);
}

void BM_OursZipOpen(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(openOurs<DZipArchive>(u"a.zip"));
}

// The game's way: the file tried as 7z first, then read as zip.
void BM_OursZipCreateFromFile(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(DArchive::createFromFile(u"a.zip", u""));
}

void BM_OursZipOpenAndExtractAll(benchmark::State& state) {
  if (!ready(state)) return;
  for (auto _ : state) {
    DArchivePtr archive = openOurs<DZipArchive>(u"a.zip");
    for (const std::string& name : corpus().names) readOurs(*archive, name);
  }
}

}  // namespace

BENCHMARK(BM_Libarchive7zList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours7zOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libarchive7zExtractAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours7zExtractInOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours7zExtractRandomOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibarchiveZipList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursZipOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursZipCreateFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibarchiveZipExtractAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursZipOpenAndExtractAll)->Unit(benchmark::kMillisecond);
