// A 4 MB chunked body read a byte at a time and in 4 KB blocks, the peer's
// bytes ready in runs of 64 KB: the cost per byte must not grow with the
// body, and the process's peak memory stays near the body's own size.
#include <benchmark/benchmark.h>
#include <string>
#include <sys/resource.h>

#include "lang/DbyteArray.h"
#include "microedition/io/DHttpInputStream.h"
#include "tests/core/tavrine/src/common/microedition/io/PeerBytes.h"

namespace {

std::string chunkedBody(size_t size) {
  const std::string chunk(32768, 'c');
  std::string wire;
  for (size_t at = 0; at < size; at += chunk.size()) wire += "8000\r\n" + chunk + "\r\n";
  return wire + "0\r\n\r\n";
}

qel::io::DInputStreamPtr bodyStream(const std::string& wire) {
  return new qel::io::DHttpInputStream(
      new nvtest::PeerBytes(wire, 65536), nullptr, new qel::lang::DString(u"bench"), true);
}

void peakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void ChunkedBodyByteAtATime(benchmark::State& state) {
  const std::string wire = chunkedBody(size_t{4} << 20);
  size_t got = 0;
  for (auto _ : state) {
    qel::io::DInputStreamPtr in = bodyStream(wire);
    while (in->read() >= 0) ++got;
  }
  state.SetBytesProcessed(static_cast<int64_t>(got));
  peakMemory(state);
}
BENCHMARK(ChunkedBodyByteAtATime)->Unit(benchmark::kMillisecond);

void ChunkedBodyInBlocks(benchmark::State& state) {
  const std::string wire = chunkedBody(size_t{4} << 20);
  const qel::lang::DbyteArrayPtr block = new qel::lang::DbyteArray(4096);
  size_t got = 0;
  for (auto _ : state) {
    qel::io::DInputStreamPtr in = bodyStream(wire);
    for (int32_t n; (n = in->read(block, 0, block->length())) >= 0;) got += static_cast<size_t>(n);
  }
  state.SetBytesProcessed(static_cast<int64_t>(got));
  peakMemory(state);
}
BENCHMARK(ChunkedBodyInBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
