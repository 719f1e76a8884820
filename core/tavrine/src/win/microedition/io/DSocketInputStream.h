#pragma once

#include <cstdint>

#include "io/DInputStream.h"
#include "microedition/io/DSocketConnection.ptr.h"

namespace qel::io {

// Reads what a socket connection has received; never waits. After close,
// readRaw answers -1 and available, read() and getName throw 0x05000080.
class DSocketInputStream final : public qel::io::DInputStream {
public:
  explicit DSocketInputStream(DSocketConnectionPtr connection);

  // The bytes buffered after taking in what the socket has ready.
  int32_t available() override;
  // A null dst or negative len throws 0x05400000. The count read: 0 when
  // connected and nothing has arrived, -1 when closed with nothing buffered.
  int32_t readRaw(uint8_t* dst, int32_t len) override;
  int32_t read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  using qel::io::DInputStream::read;
  int32_t read() override;
  void close() override;
  int64_t skip(int64_t) override { return 0; }
  int64_t getPosition() override { return -1; }
  qel::lang::DStringPtr getName() override;

private:
  DSocketConnectionPtr connection_;
};

}  // namespace qel::io
