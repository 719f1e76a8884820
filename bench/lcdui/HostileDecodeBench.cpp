// Refusing a 113-byte PNG whose text chunk claims almost 2 GB, and pictures
// of a few bytes whose headers claim 16000 x 16000 (PNG, GIF) or 15128 x
// 12816 (JPEG) pixels: time per refusal and the process's peak memory
// afterwards (a few MB, not the claim).
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

void Refuse(benchmark::State& state, const char* name) {
  const std::vector<uint8_t> data = fixture(name);
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
BENCHMARK_CAPTURE(Refuse, HugeTextChunk, "png_text_huge.png");
BENCHMARK_CAPTURE(Refuse, PngClaimingSize, "png_lying_size.png");
BENCHMARK_CAPTURE(Refuse, GifClaimingScreen, "gif_lying_screen.gif");
BENCHMARK_CAPTURE(Refuse, JpegClaimingSize, "jpeg_lying_size.jpg");

}  // namespace
