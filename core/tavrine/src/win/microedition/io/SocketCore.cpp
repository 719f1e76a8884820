#include "SocketCore.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qel::io {

namespace {

// A decimal port 1 .. 65535, else 0.
uint16_t parsePort(const std::string& text) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  auto [next, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || next != end || value < 1 || value > 65535) return 0;
  return static_cast<uint16_t>(value);
}

void setNonBlocking(int fd, bool nonBlocking) {
  const int flags = fcntl(fd, F_GETFL, 0);
  fcntl(fd, F_SETFL, nonBlocking ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

}  // namespace

SocketCore::SocketCore(std::string host, std::string portText)
    : host_(std::move(host)), portText_(std::move(portText)) {}

SocketCore::~SocketCore() {
  const int fd = fd_.load();
  if (fd >= 0) ::close(fd);
}

void SocketCore::runSender() {
  if (state_.load() == 1) connect();
  std::array<uint8_t, ChunkSize> chunk;
  for (;;) {
    int32_t pending = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return !active_.load() || queue_.stored() > 0; });
      if (!active_.load()) return;
      pending = queue_.read(chunk.data(), ChunkSize);
    }
    if (pending > 0) sendChunk(chunk.data(), pending);
  }
}

void SocketCore::sendChunk(const uint8_t* chunk, int32_t pending) {
  const int fd = fd_.load();
  int32_t offset = 0;
  while (pending > 0) {
    const ssize_t sent = fd < 0 ? -1 : ::send(fd, chunk + offset, static_cast<size_t>(pending), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) {
      std::lock_guard lock(mutex_);
      queue_.clear();
      return;
    }
    pending -= static_cast<int32_t>(sent);
    offset += static_cast<int32_t>(sent);
  }
}

void SocketCore::connect() {
  sockaddr_in address{};
  const uint16_t port = parsePort(portText_);
  if (port == 0 || !resolve(&address)) {
    state_.store(0);
    return;
  }
  address.sin_port = htons(port);
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    state_.store(0);
    return;
  }
  fd_.store(fd);
  if (!active_.load()) return;
  setNonBlocking(fd, true);
  const bool connected =
      (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 || errno == EINPROGRESS) &&
      awaitConnect(fd);
  if (!connected) {
    state_.store(0);
    return;
  }
  setNonBlocking(fd, false);
  int32_t opened = 1;
  state_.compare_exchange_strong(opened, 2);
}

bool SocketCore::resolve(void* address) {
  resolving_.store(true);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const bool ok = active_.load() && ::getaddrinfo(host_.c_str(), nullptr, &hints, &found) == 0 && found;
  if (ok) std::memcpy(address, found->ai_addr, sizeof(sockaddr_in));
  if (found) ::freeaddrinfo(found);
  resolving_.store(false);
  return ok;
}

bool SocketCore::awaitConnect(int fd) {
  while (active_.load()) {
    pollfd watch{fd, POLLOUT, 0};
    const int ready = ::poll(&watch, 1, ConnectSliceMs);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  return false;
}

int32_t SocketCore::queueBytes(const uint8_t* src, int32_t len) {
  int32_t queued = 0;
  {
    std::lock_guard lock(mutex_);
    const int32_t freeSpace = queue_.capacity() - queue_.stored();
    if (len > freeSpace && queue_.grow(len - freeSpace) < len) return 0;
    queued = queue_.write(src, len);
  }
  wake_.notify_one();
  return queued;
}

void SocketCore::stop() {
  active_.store(false);
  { std::lock_guard lock(mutex_); }
  wake_.notify_all();
  const int fd = fd_.load();
  if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
  state_.store(0);
}

void SocketCore::markPeerClosed() {
  const int fd = fd_.load();
  if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
  state_.store(0);
}

}  // namespace qel::io
