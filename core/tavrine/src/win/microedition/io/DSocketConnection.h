#pragma once

#include <cstdint>
#include <memory>
#include <thread>

#include "lang/DString.h"
#include "microedition/io/DConnection.h"
#include "microedition/io/DSocketConnection.ptr.h"
#include "util/DCyclicBuf.ptr.h"

namespace qel::io {

class SocketCore;

// TCP client for "socket://" host ":" port. Opening returns at once; a
// sender thread of the connection looks the host up, connects and sends what
// the output stream queues. Reading never waits: the input stream hands out
// what the socket has ready.
class DSocketConnection final : public DConnection {
public:
  static constexpr int32_t ReceiveBufferSize = 4096;

  // A url without "socket://", without ':' or with an empty host throws
  // 0x05400000; a thread that cannot be started 0x06000000. The timeouts
  // flag changes nothing.
  static DSocketConnectionPtr open(const qel::lang::DStringPtr& url, int32_t mode, bool timeouts);
  ~DSocketConnection() override;

  int32_t getState() override;
  void close() override;
  qel::io::DDataInputStreamPtr openDataInputStream() override;
  qel::io::DInputStreamPtr openInputStream() override;
  qel::io::DDataOutputStreamPtr openDataOutputStream() override;
  qel::io::DOutputStreamPtr openOutputStream() override;

  // SO_RCVBUF of the connected socket; unconnected or a failed query throws 0x06000000.
  int32_t getReceiveBufferSize();
  qel::lang::DStringPtr getName() const { return name_; }
  int32_t getMode() const { return mode_; }

  // Moves what the socket has ready into the receive ring without waiting:
  // the count buffered. A peer close turns the state to 0.
  int32_t pollReceive();
  // Received bytes not yet read.
  const qel::util::DCyclicBufPtr& receiveRing() const { return receiveRing_; }
  // Queues len bytes for the sender: the count queued.
  int32_t queueBytes(const uint8_t* src, int32_t len);

private:
  DSocketConnection(qel::lang::DStringPtr name, int32_t mode, std::shared_ptr<SocketCore> core);
  void stopSender();

  qel::lang::DStringPtr name_;
  int32_t mode_;
  std::shared_ptr<SocketCore> core_;
  qel::util::DCyclicBufPtr receiveRing_;
  std::thread sender_;
};

}  // namespace qel::io
