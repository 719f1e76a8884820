#pragma once

#include <cstdint>

#include "io/DOutputStream.h"
#include "microedition/io/DSocketConnection.ptr.h"

namespace qel::io {

// Queues bytes for a socket connection's sender; never waits on the network.
class DSocketOutputStream final : public qel::io::DOutputStream {
public:
  explicit DSocketOutputStream(DSocketConnectionPtr connection);

  void write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  using qel::io::DOutputStream::write;
  void write(int32_t v) override;
  void flush() override {}
  void close() override {}
  // Throws 0x06000000 unless connected, or when len > 0 and nothing could be
  // queued: the count queued.
  int32_t writeRaw(const uint8_t* src, int32_t len);

private:
  DSocketConnectionPtr connection_;
};

}  // namespace qel::io
