#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "io/DInputStream.h"
#include "lang/DString.h"

namespace nvtest {

// Stands in for a socket's input stream: the bytes a peer sent, made ready
// in runs of at most `run` bytes (a run more each time the reader finds
// nothing ready), then the end as a closed socket reports it (-1).
class PeerBytes final : public qel::io::DInputStream {
public:
  PeerBytes(std::string bytes, size_t run) : bytes_(std::move(bytes)), run_(std::max<size_t>(run, 1)) {}

  std::string getClassName() const override { return "PeerBytes"; }

  int32_t available() override {
    if (ready_ == 0) ready_ = std::min(run_, bytes_.size() - at_);
    return static_cast<int32_t>(ready_);
  }
  int32_t readRaw(uint8_t* dst, int32_t len) override {
    if (at_ == bytes_.size()) return -1;
    available();
    const size_t n = std::min(ready_, static_cast<size_t>(len));
    std::memcpy(dst, bytes_.data() + at_, n);
    at_ += n;
    ready_ -= n;
    return static_cast<int32_t>(n);
  }
  int32_t read() override {
    uint8_t byte = 0;
    return readRaw(&byte, 1) == 1 ? byte : -1;
  }
  int64_t skip(int64_t) override { return 0; }
  int64_t getPosition() override { return -1; }
  qel::lang::DStringPtr getName() override { return new qel::lang::DString(u"peer"); }

private:
  std::string bytes_;
  size_t run_;
  size_t at_ = 0;
  size_t ready_ = 0;
};

}  // namespace nvtest
