#pragma once

#include <cstdint>

#include "io/DByteArrayOutputStream.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/io/DConnection.h"
#include "microedition/io/DHttpConnection.ptr.h"
#include "microedition/io/HttpResponseHead.h"
#include "util/DCyclicBuf.ptr.h"
#include "util/DHashtable.ptr.h"

namespace qel::io {

// HTTP/1.1 client over a socket connection: one request (request line,
// request properties as header lines, body), then the response head read by
// polling every 50 ms, and the body through openInputStream. The exchange
// fails (response operations throw 0x06000000) on a malformed head, a head
// over 64 KiB, a socket closed before the head was complete, or no byte for
// the time-out.
class DHttpConnection final : public DConnection {
public:
  static constexpr int32_t DefaultPort = 80;
  static constexpr int64_t DefaultTimeoutMs = 15000;
  static constexpr int32_t PollIntervalMs = 50;
  static constexpr int32_t ResponseBufferSize = 1024;
  static constexpr int32_t HeadLimit = 65536;

  // The states after sending are the head's.
  enum Exchange : int32_t {
    SetUp = 0,
    AwaitingStatus = HttpResponseHead::AwaitingStatus,
    ReadingHeaders = HttpResponseHead::ReadingHeaders,
    HeadComplete = HttpResponseHead::Complete,
    Failed = HttpResponseHead::Failed
  };

  // A url without "http://", or with ':' right after it, throws 0x05400000.
  // The socket starts connecting at once.
  static DHttpConnectionPtr open(const qel::lang::DStringPtr& url, int32_t mode, bool timeouts);
  static qel::lang::DStringPtr GET();
  ~DHttpConnection() override;

  // The socket's state; 0 without one.
  int32_t getState() override;
  // Nothing: the socket stays open until the connection goes.
  void close() override {}
  qel::io::DDataInputStreamPtr openDataInputStream() override;
  // Sends the request when not yet sent and waits for the head; the body
  // stream is returned whatever the head's fate.
  qel::io::DInputStreamPtr openInputStream() override;
  qel::io::DDataOutputStreamPtr openDataOutputStream() override;
  // The request body, null once sent.
  qel::io::DOutputStreamPtr openOutputStream() override;

  // Before sending only, else 0x06000000.
  void setRequestMethod(const qel::lang::DStringPtr& method);
  void setRequestProperty(const qel::lang::DStringPtr& key, const qel::lang::DStringPtr& value);

  int32_t getResponseCode();
  qel::lang::DStringPtr getResponseMessage();
  // The value of the header, matched exactly, else ignoring case; or null.
  qel::lang::DStringPtr getHeaderField(const qel::lang::DStringPtr& name);
  qel::lang::DStringPtr getEncoding();
  qel::lang::DStringPtr getType();
  // "Content-Length", -1 when absent.
  int64_t getLength();

  qel::lang::DStringPtr getHost() const { return host_; }
  int32_t getPort() const { return port_; }
  qel::lang::DStringPtr getPath() const { return path_; }
  int32_t exchangeState() const { return exchange_; }

private:
  DHttpConnection(const qel::lang::DStringPtr& url, int32_t mode, bool timeouts);

  void parseAddress();
  void sendRequest();
  // One poll step: true once the head is complete or the exchange failed.
  bool readResponse();
  // Moves one run of the socket's ready bytes into the response buffer,
  // enlarging it up to the head limit when a line does not fit: false when
  // nothing came.
  bool receive();
  // Parses the buffered lines, following the head's progress.
  void takeLines();
  bool timedOut() const;
  void ensureResponse();
  void awaitHead();
  bool chunkedBody();
  qel::lang::DStringPtr findHeader(const char16_t* name);
  qel::lang::DStringPtr findHeader(const qel::lang::DStringPtr& name);
  void fail() { exchange_ = Failed; }

  qel::util::DHashtablePtr responseHeaders_;
  HttpResponseHead head_;
  qel::lang::DStringPtr method_;
  int32_t majorVersion_ = 1;
  int32_t minorVersion_ = 1;
  qel::lang::DStringPtr address_;
  qel::lang::DStringPtr host_;
  int32_t port_ = DefaultPort;
  qel::lang::DStringPtr path_;
  qel::util::DHashtablePtr requestProperties_;
  int32_t mode_;
  bool timeouts_;
  qel::io::DByteArrayOutputStreamPtr requestBody_;
  DConnectionPtr socket_;
  qel::io::DInputStreamPtr socketInput_;
  qel::util::DCyclicBufPtr responseBuffer_;
  int32_t exchange_ = SetUp;
  int64_t lastActivity_ = -1;
  const int64_t timeoutMs_ = DefaultTimeoutMs;
};

}  // namespace qel::io
