#include "microedition/io/ChunkedBodyDecoder.h"

#include <algorithm>

namespace qel::io {

namespace {

int hexValue(uint8_t byte) {
  if (byte >= '0' && byte <= '9') return byte - '0';
  if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
  if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
  return -1;
}

}  // namespace

void ChunkedBodyDecoder::feed(const uint8_t* in, int32_t n, qel::util::DCyclicBuf& out) {
  int32_t i = 0;
  while (i < n && phase_ != Phase::Done && phase_ != Phase::Failed) {
    if (phase_ == Phase::Data) {
      const int32_t take = static_cast<int32_t>(std::min<uint64_t>(remaining_, static_cast<uint64_t>(n - i)));
      out.write(in + i, take);
      i += take;
      remaining_ -= static_cast<uint64_t>(take);
      if (remaining_ == 0) phase_ = Phase::DataEnd;
      continue;
    }
    const uint8_t byte = in[i++];
    switch (phase_) {
      case Phase::Size: sizeByte(byte); break;
      case Phase::Extension:
        if (byte == '\n') endSizeLine();
        break;
      case Phase::DataEnd: dataEndByte(byte); break;
      case Phase::Trailer: trailerByte(byte); break;
      default: break;
    }
  }
}

void ChunkedBodyDecoder::sizeByte(uint8_t byte) {
  const int value = hexValue(byte);
  if (value >= 0) {
    size_ = size_ * 16 + static_cast<uint64_t>(value);
    ++digits_;
    if (size_ > MaxChunkSize) phase_ = Phase::Failed;
  } else if (byte == '\n') {
    endSizeLine();
  } else if (digits_ > 0 && (byte == ';' || byte == ' ' || byte == '\t' || byte == '\r')) {
    phase_ = Phase::Extension;
  } else {
    phase_ = Phase::Failed;
  }
}

void ChunkedBodyDecoder::endSizeLine() {
  if (digits_ == 0) {
    phase_ = Phase::Failed;
    return;
  }
  remaining_ = size_;
  size_ = 0;
  digits_ = 0;
  lineLength_ = 0;
  phase_ = remaining_ == 0 ? Phase::Trailer : Phase::Data;
}

void ChunkedBodyDecoder::dataEndByte(uint8_t byte) {
  if (byte == '\n')
    phase_ = Phase::Size;
  else if (byte != '\r')
    phase_ = Phase::Failed;
}

void ChunkedBodyDecoder::trailerByte(uint8_t byte) {
  if (byte == '\n') {
    if (lineLength_ == 0) phase_ = Phase::Done;
    lineLength_ = 0;
  } else if (byte != '\r') {
    ++lineLength_;
  }
}

}  // namespace qel::io
