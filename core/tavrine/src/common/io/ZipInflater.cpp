#include "io/ZipInflater.h"

#include <algorithm>
#include <zlib.h>

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

constexpr int32_t ChunkSize = 1024;

// A raw-deflate zlib stream, ended when it goes.
class RawInflateStream {
public:
  explicit RawInflateStream(const DStringPtr& name) {
    if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK)
      throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: inflater not available", name);
  }
  ~RawInflateStream() { inflateEnd(&stream_); }
  RawInflateStream(const RawInflateStream&) = delete;
  RawInflateStream& operator=(const RawInflateStream&) = delete;

  z_stream* operator->() { return &stream_; }
  z_stream* get() { return &stream_; }

private:
  z_stream stream_{};
};

[[noreturn]] void damaged(const DStringPtr& name) {
  throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: damaged deflate data", name);
}

[[noreturn]] void wrongSize(const DStringPtr& name) {
  throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: size differs from its header", name);
}

}  // namespace

DbyteArrayPtr ZipInflater::inflate(DDataInputStream& in, int64_t compressedSize, int32_t uncompressedSize,
                                   const DStringPtr& name) {
  if (uncompressedSize > compressedSize * MaxRatio) damaged(name);
  DbyteArrayPtr output = new DbyteArray(uncompressedSize);
  DbyteArrayPtr chunk = new DbyteArray(static_cast<int32_t>(std::min<int64_t>(compressedSize, ChunkSize)));
  RawInflateStream stream(name);
  stream->next_out = reinterpret_cast<Bytef*>(output->data());
  stream->avail_out = static_cast<uInt>(uncompressedSize);
  int64_t consumed = 0;
  while (true) {
    if (stream->avail_in == 0 && consumed < compressedSize) {
      int32_t length = static_cast<int32_t>(std::min<int64_t>(chunk->length(), compressedSize - consumed));
      try {
        in.readFully(chunk, 0, length);
      } catch (DExceptionBase& e) {
        e.rethrowUnless(ExceptionCode::IO);
        throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: data end early", name);
      }
      consumed += length;
      stream->next_in = reinterpret_cast<Bytef*>(chunk->data());
      stream->avail_in = static_cast<uInt>(length);
    }
    int result = ::inflate(stream.get(), Z_SYNC_FLUSH);
    if (result == Z_STREAM_END) break;
    // Z_OK always means progress; anything else means this stream cannot
    // reach its end with the input and output it has.
    if (result == Z_BUF_ERROR && stream->avail_out == 0) wrongSize(name);
    if (result != Z_OK) damaged(name);
  }
  if (stream->total_out != static_cast<uLong>(uncompressedSize)) wrongSize(name);
  return output;
}

}  // namespace qel::io
