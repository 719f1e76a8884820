#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "util/DCyclicBuf.h"

namespace qel::io {

// The part of a socket connection that its sender thread shares: plain C++
// state only (no counted framework object crosses to the sender), kept alive
// by whichever of the two lets go last. The descriptor is closed only then,
// so its number cannot be reused while the other side still holds it.
class SocketCore {
public:
  static constexpr int32_t QueueCapacity = 4096;
  static constexpr int32_t ChunkSize = 1024;
  // Slice of a pending connect between two looks at the active flag.
  static constexpr int ConnectSliceMs = 20;

  SocketCore(std::string host, std::string portText);
  ~SocketCore();
  SocketCore(const SocketCore&) = delete;
  SocketCore& operator=(const SocketCore&) = delete;

  // The sender thread's body: connect, then send what is queued until stopped.
  void runSender();
  // Appends len bytes to the send queue, enlarging it to fit, and wakes the
  // sender: the count queued.
  int32_t queueBytes(const uint8_t* src, int32_t len);
  // Ends the connection: the sender wakes from any wait and leaves.
  void stop();
  // The peer has closed: no more traffic on the socket.
  void markPeerClosed();

  int32_t state() const { return state_.load(); }
  int descriptor() const { return fd_.load(); }
  // True while the sender is inside a name lookup that cannot be interrupted.
  bool resolving() const { return resolving_.load(); }

private:
  void connect();
  bool resolve(void* address);
  bool awaitConnect(int fd);
  void sendChunk(const uint8_t* chunk, int32_t pending);

  const std::string host_;
  const std::string portText_;
  std::atomic<int32_t> state_{1};
  std::atomic<int> fd_{-1};
  std::atomic<bool> active_{true};
  std::atomic<bool> resolving_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  qel::util::DCyclicBuf queue_{QueueCapacity};
};

}  // namespace qel::io
