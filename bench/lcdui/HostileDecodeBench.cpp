// Refusing a 113-byte PNG whose text chunk claims almost 2 GB: time per
// refusal and the process's peak memory afterwards (a few MB, not the claim).
#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"

namespace {

std::vector<uint8_t> fixture(const std::string& name) {
  std::ifstream in(std::string(NV_FIXTURE_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RefuseHugeTextChunk(benchmark::State& state) {
  const std::vector<uint8_t> data = fixture("png_text_huge.png");
  for (auto _ : state) {
    try {
      qel::lcdui::DImage::createImageFromData(data.data(), static_cast<int32_t>(data.size()), false);
      state.SkipWithError("decoded");
    } catch (const qel::lang::DExceptionBase&) {}
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(RefuseHugeTextChunk);

}  // namespace
