#include "microedition/io/DSocketConnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <system_error>

#include "SocketCore.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/io/DSocketInputStream.h"
#include "microedition/io/DSocketOutputStream.h"
#include "util/DCyclicBuf.h"

namespace qel::io {

using qel::lang::DStringPtr;
using qel::lang::throwException;
using qel::lang::ExceptionCode::IllegalArgument;
using qel::lang::ExceptionCode::IO;

namespace {

constexpr char16_t Scheme[] = u"socket://";
constexpr int32_t SchemeLength = 9;

std::string multiByte(const DStringPtr& text) {
  const qel::lang::DbyteArrayPtr bytes = text->getBytes(false);
  return std::string(reinterpret_cast<const char*>(bytes->data()), static_cast<size_t>(bytes->length()));
}

}  // namespace

DSocketConnectionPtr DSocketConnection::open(const DStringPtr& url, int32_t mode, bool) {
  if (!url || !url->startsWith(Scheme)) throwException(IllegalArgument);
  const DStringPtr address = url->substring(SchemeLength);
  const int32_t colon = address->indexOf(u':');
  if (colon <= 0) throwException(IllegalArgument);
  auto core =
      std::make_shared<SocketCore>(multiByte(address->substring(0, colon)), multiByte(address->substring(colon + 1)));
  return new DSocketConnection(url, mode, std::move(core));
}

DSocketConnection::DSocketConnection(DStringPtr name, int32_t mode, std::shared_ptr<SocketCore> core)
    : name_(std::move(name)),
      mode_(mode),
      core_(std::move(core)),
      receiveRing_(new qel::util::DCyclicBuf(ReceiveBufferSize)) {
  try {
    sender_ = std::thread([core = core_] { core->runSender(); });
  } catch (const std::system_error&) {
    core_->stop();
    throwException(IO);
  }
}

DSocketConnection::~DSocketConnection() { stopSender(); }

int32_t DSocketConnection::getState() { return core_->state(); }

void DSocketConnection::close() { stopSender(); }

void DSocketConnection::stopSender() {
  core_->stop();
  if (!sender_.joinable()) return;
  // A name lookup cannot be interrupted: that thread ends on its own later,
  // keeping the shared core alive until then.
  if (core_->resolving())
    sender_.detach();
  else
    sender_.join();
}

qel::io::DInputStreamPtr DSocketConnection::openInputStream() { return new DSocketInputStream(this); }

qel::io::DOutputStreamPtr DSocketConnection::openOutputStream() { return new DSocketOutputStream(this); }

qel::io::DDataInputStreamPtr DSocketConnection::openDataInputStream() {
  qel::io::DInputStreamPtr in = openInputStream();
  if (!in) throwException(IO);
  return new qel::io::DDataInputStream(in);
}

qel::io::DDataOutputStreamPtr DSocketConnection::openDataOutputStream() {
  qel::io::DOutputStreamPtr out = openOutputStream();
  if (!out) throwException(IO);
  return new qel::io::DDataOutputStream(out);
}

int32_t DSocketConnection::getReceiveBufferSize() {
  const int fd = core_->descriptor();
  int32_t size = 0;
  socklen_t length = sizeof size;
  if (core_->state() != Connected || ::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, &length) != 0 ||
      length != sizeof size)
    throwException(IO);
  return size;
}

int32_t DSocketConnection::pollReceive() {
  if (core_->state() == Connected) {
    const int fd = core_->descriptor();
    for (;;) {
      pollfd watch{fd, POLLIN, 0};
      if (::poll(&watch, 1, 0) <= 0) break;
      int32_t room = 0;
      uint8_t* run = receiveRing_->getFreeSpace(&room);
      if (!run) break;
      const ssize_t received = ::recv(fd, run, static_cast<size_t>(room), MSG_DONTWAIT);
      receiveRing_->commitWrite(received > 0 ? static_cast<int32_t>(received) : 0);
      if (received == 0) core_->markPeerClosed();
      if (received <= 0) break;
    }
  }
  return receiveRing_->stored();
}

int32_t DSocketConnection::queueBytes(const uint8_t* src, int32_t len) { return core_->queueBytes(src, len); }

}  // namespace qel::io
