#include "io/SevenZipFolderDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <lzma.h>
#include <memory>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

constexpr int32_t ChunkSize = 65536;
// The first output buffer of an entry of unknown honesty; it doubles as data arrive.
constexpr int32_t InitialCapacity = 1 << 20;

[[noreturn]] void fail(const char16_t* what, const DStringPtr& name) {
  throw DExceptionBase(ExceptionCode::IO, u"7z entry %s: %s", name, what);
}

// The packed bytes, read a chunk at a time.
class PackedInput {
public:
  PackedInput(DInputStream& source, const SevenZipFolderDecoder::Folder& folder, const DStringPtr& name)
      : source_(source), remaining_(folder.packSize), name_(name), chunk_(new uint8_t[ChunkSize]) {
    source_.reset();
    if (folder.packOffset < 0 || source_.skip(folder.packOffset) != folder.packOffset) fail(u"data end early", name_);
  }

  // The next chunk, empty at the end of the packed data.
  std::pair<const uint8_t*, size_t> next() {
    int32_t wanted = static_cast<int32_t>(std::min<int64_t>(remaining_, ChunkSize));
    if (wanted == 0) return {chunk_.get(), 0};
    int32_t count = source_.readRaw(chunk_.get(), wanted);
    if (count <= 0) fail(u"data end early", name_);
    remaining_ -= count;
    return {chunk_.get(), static_cast<size_t>(count)};
  }

private:
  DInputStream& source_;
  int64_t remaining_;
  const DStringPtr& name_;
  std::unique_ptr<uint8_t[]> chunk_;
};

// An output array of the exact final size that grows as it fills.
class GrowingOutput {
public:
  explicit GrowingOutput(int32_t size) : size_(size), data_(new DbyteArray(std::min(size, InitialCapacity))) {}

  uint8_t* end() { return reinterpret_cast<uint8_t*>(data_->data()) + filled_; }
  size_t room() {
    if (filled_ == data_->length() && filled_ < size_) {
      DbyteArrayPtr larger = new DbyteArray(static_cast<int32_t>(std::min<int64_t>(int64_t{filled_} * 2, size_)));
      std::memcpy(larger->data(), data_->data(), static_cast<size_t>(filled_));
      data_ = larger;
    }
    return static_cast<size_t>(data_->length() - filled_);
  }
  void advance(size_t count) { filled_ += static_cast<int32_t>(count); }
  bool full() const { return filled_ == size_; }
  DbyteArrayPtr take() { return data_; }

private:
  int32_t size_;
  int32_t filled_ = 0;
  DbyteArrayPtr data_;
};

struct FilterOptions {
  lzma_filter filters[2] = {{LZMA_VLI_UNKNOWN, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  ~FilterOptions() { std::free(filters[0].options); }
};

// The decoder never needs a dictionary larger than its output.
void setUpFilter(FilterOptions& options, const SevenZipFolderDecoder::Folder& folder, int32_t size,
                 const DStringPtr& name) {
  options.filters[0].id = folder.method == SevenZipFolderDecoder::Method::Lzma ? LZMA_FILTER_LZMA1 : LZMA_FILTER_LZMA2;
  if (lzma_properties_decode(&options.filters[0], nullptr, folder.properties.data(), folder.properties.size()) !=
      LZMA_OK)
    fail(u"bad coder properties", name);
  auto* lzma = static_cast<lzma_options_lzma*>(options.filters[0].options);
  lzma->dict_size = std::min(lzma->dict_size, std::max<uint32_t>(static_cast<uint32_t>(size), LZMA_DICT_SIZE_MIN));
}

DbyteArrayPtr decodeLzma(PackedInput& in, const SevenZipFolderDecoder::Folder& folder, int32_t size,
                         const DStringPtr& name) {
  FilterOptions options;
  setUpFilter(options, folder, size, name);
  lzma_stream stream = LZMA_STREAM_INIT;
  if (lzma_raw_decoder(&stream, options.filters) != LZMA_OK) fail(u"decoder not available", name);
  std::unique_ptr<lzma_stream, void (*)(lzma_stream*)> owner(&stream, lzma_end);
  GrowingOutput out(size);
  while (!out.full()) {
    if (stream.avail_in == 0) {
      auto [bytes, count] = in.next();
      if (count == 0) fail(u"data end early", name);
      stream.next_in = bytes;
      stream.avail_in = count;
    }
    stream.avail_out = out.room();
    uint8_t* start = out.end();
    stream.next_out = start;
    lzma_ret result = lzma_code(&stream, LZMA_RUN);
    out.advance(static_cast<size_t>(stream.next_out - start));
    if (result == LZMA_STREAM_END && !out.full()) fail(u"shorter than its header says", name);
    if (result != LZMA_OK && result != LZMA_STREAM_END) fail(u"damaged data", name);
  }
  return out.take();
}

DbyteArrayPtr copy(PackedInput& in, int32_t size, const DStringPtr& name) {
  GrowingOutput out(size);
  while (!out.full()) {
    auto [bytes, count] = in.next();
    if (count == 0) fail(u"data end early", name);
    while (count > 0) {
      size_t used = std::min(count, out.room());
      std::memcpy(out.end(), bytes, used);
      out.advance(used);
      bytes += used;
      count -= used;
    }
  }
  return out.take();
}

}  // namespace

DbyteArrayPtr SevenZipFolderDecoder::decode(DInputStream& source, const Folder& folder, int32_t size,
                                            const DStringPtr& name) {
  if (folder.method == Method::Other) fail(u"coder not supported", name);
  if (folder.method == Method::Copy && folder.packSize != size) fail(u"size differs from its header", name);
  PackedInput in(source, folder, name);
  return folder.method == Method::Copy ? copy(in, size, name) : decodeLzma(in, folder, size, name);
}

}  // namespace qel::io
