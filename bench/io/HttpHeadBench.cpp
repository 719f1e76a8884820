// A response head of one long header line delivered in runs of one byte (a
// slow or hostile peer) and in one run: the line search must cost the same
// per byte either way.
#include <benchmark/benchmark.h>
#include <string>

#include "microedition/io/DHttpConnection.h"
#include "microedition/io/HttpResponseHead.h"
#include "util/DCyclicBuf.h"
#include "util/DHashtable.h"

using qel::io::DHttpConnection;
using qel::io::HttpResponseHead;

namespace {

void HeadInRuns(benchmark::State& state) {
  const size_t run = static_cast<size_t>(state.range(0));
  const std::string head = "HTTP/1.1 200 OK\r\nX-Long: " + std::string(60000, 'v') + "\r\n\r\n";
  for (auto _ : state) {
    qel::util::DCyclicBufPtr buffer = new qel::util::DCyclicBuf(DHttpConnection::HeadLimit + 1024);
    HttpResponseHead parser(new qel::util::DHashtable(11, 75), DHttpConnection::HeadLimit);
    for (size_t at = 0; at < head.size(); at += run) {
      const size_t n = std::min(run, head.size() - at);
      buffer->write(reinterpret_cast<const uint8_t*>(head.data() + at), static_cast<int32_t>(n));
      parser.takeLines(*buffer);
    }
    if (parser.progress() != HttpResponseHead::Complete) state.SkipWithError("head not read");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * head.size()));
}
BENCHMARK(HeadInRuns)->Arg(1)->Arg(1 << 16)->Unit(benchmark::kMillisecond);

}  // namespace
