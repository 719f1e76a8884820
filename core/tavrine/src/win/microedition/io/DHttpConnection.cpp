#include "microedition/io/DHttpConnection.h"

#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "io/DInputStream.h"
#include "io/DOutputStream.h"
#include "lang/CaseMapping.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/DbyteArray.h"
#include "microedition/io/Connector.h"
#include "microedition/io/DHttpInputStream.h"
#include "util/DCyclicBuf.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace qel::io {

using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

constexpr int32_t SchemeLength = 7;
constexpr int32_t BufferGrowth = 1024;

int64_t now() { return qel::lang::DSystem::currentTimeMillis(0); }

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (qel::lang::toLowerUnit(a[i]) != qel::lang::toLowerUnit(b[i])) return false;
  return true;
}

bool containsIgnoringCase(std::u16string_view text, std::u16string_view word) {
  for (size_t i = 0; i + word.size() <= text.size(); ++i)
    if (equalsIgnoringCase(text.substr(i, word.size()), word)) return true;
  return false;
}

}  // namespace

DHttpConnectionPtr DHttpConnection::open(const DStringPtr& url, int32_t mode, bool timeouts) {
  if (!url || !url->startsWith(u"http://")) throwException(ExceptionCode::IllegalArgument);
  return new DHttpConnection(url, mode, timeouts);
}

DStringPtr DHttpConnection::GET() { return u"GET"; }

DHttpConnection::DHttpConnection(const DStringPtr& url, int32_t mode, bool timeouts)
    : responseHeaders_(new qel::util::DHashtable(11, 75)),
      head_(responseHeaders_, HeadLimit),
      method_(GET()),
      address_(url),
      requestProperties_(new qel::util::DHashtable(11, 75)),
      mode_(mode),
      timeouts_(timeouts),
      requestBody_(new qel::io::DByteArrayOutputStream()),
      responseBuffer_(new qel::util::DCyclicBuf(ResponseBufferSize)) {
  parseAddress();
  DStringPtr hostHeader = port_ == DefaultPort ? host_ : host_ + u":" + port_;
  requestProperties_->put(DStringPtr(u"host"), hostHeader);
  socket_ = Connector::open(DStringPtr(u"socket://") + host_ + u":" + port_, mode_, timeouts_);
}

void DHttpConnection::parseAddress() {
  const DStringPtr rest = address_->substring(SchemeLength);
  const int32_t firstSlash = rest->indexOf(u'/');
  int32_t colon = rest->indexOf(u':');
  // A colon within the path is no port separator.
  if (firstSlash >= 0 && colon > firstSlash) colon = -1;
  if (colon == 0) throwException(ExceptionCode::IllegalArgument);
  if (colon > 0) {
    host_ = rest->substring(0, colon);
    const int32_t slash = rest->indexOf(u'/', colon);
    const int32_t portEnd = slash < 0 ? rest->length() : slash;
    port_ = qel::lang::DInteger::parseInt(rest->substring(colon + 1, portEnd));
    path_ = slash < 0 ? DStringPtr(u"/") : rest->substring(slash);
    return;
  }
  host_ = firstSlash > 0 ? rest->substring(0, firstSlash) : rest;
  path_ = firstSlash > 0 ? rest->substring(firstSlash) : DStringPtr(u"/");
}

DHttpConnection::~DHttpConnection() {
  if (socketInput_) socketInput_->close();
  if (socket_) socket_->close();
}

int32_t DHttpConnection::getState() { return socket_ ? socket_->getState() : Closed; }

void DHttpConnection::setRequestMethod(const DStringPtr& method) {
  if (exchange_ != SetUp) throwException(ExceptionCode::IO);
  method_ = method;
}

void DHttpConnection::setRequestProperty(const DStringPtr& key, const DStringPtr& value) {
  if (exchange_ != SetUp) throwException(ExceptionCode::IO);
  requestProperties_->put(key, value);
}

qel::io::DOutputStreamPtr DHttpConnection::openOutputStream() { return requestBody_; }

qel::io::DDataOutputStreamPtr DHttpConnection::openDataOutputStream() {
  return new qel::io::DDataOutputStream(openOutputStream());
}

void DHttpConnection::sendRequest() {
  if (!socket_ || socket_->getState() != Connected) throwException(ExceptionCode::IO);
  const qel::io::DOutputStreamPtr out = socket_->openOutputStream();
  DStringPtr head = method_ + u" " + path_ + u" HTTP/" + majorVersion_ + u"." + minorVersion_ + u"\r\n";
  for (qel::util::DEnumerationPtr keys = requestProperties_->keys(); keys->hasMoreElements();) {
    const DStringPtr key = static_cast<DString*>(keys->nextElement());
    const DStringPtr value = static_cast<DString*>(requestProperties_->get(key));
    head = head + key + u": " + value + u"\r\n";
  }
  out->write((head + u"\r\n")->getBytes(false));
  if (!requestBody_) throwException(ExceptionCode::IO);
  const qel::lang::DbyteArrayPtr body = requestBody_->toByteArray();
  if (body->length() > 0) out->write(body);
  requestBody_.release();
  socketInput_ = socket_->openInputStream();
  head_.restart();
  exchange_ = AwaitingStatus;
  lastActivity_ = now();
}

bool DHttpConnection::readResponse() {
  if (!socketInput_) throwException(ExceptionCode::IO);
  if (exchange_ == HeadComplete || exchange_ == Failed) return true;
  if (exchange_ == SetUp) return false;
  for (;;) {
    takeLines();
    if (exchange_ == HeadComplete || exchange_ == Failed) return true;
    if (!receive()) break;
  }
  if (exchange_ == Failed) return true;
  if (socket_->getState() != Connected && socketInput_->available() < 1) {
    fail();
    return true;
  }
  if (timedOut()) fail();
  return exchange_ == Failed;
}

bool DHttpConnection::receive() {
  if (socketInput_->available() < 1) return false;
  int32_t room = 0;
  uint8_t* run = responseBuffer_->getFreeSpace(&room);
  if (!run) {
    if (responseBuffer_->capacity() >= HeadLimit) {
      fail();
      return false;
    }
    responseBuffer_->grow(BufferGrowth);
    run = responseBuffer_->getFreeSpace(&room);
  }
  int32_t received = 0;
  try {
    received = socketInput_->readRaw(run, room);
  } catch (const qel::lang::DExceptionBase&) {
    responseBuffer_->commitWrite(0);
    fail();
    return false;
  }
  responseBuffer_->commitWrite(received);
  if (received < 1) return false;
  lastActivity_ = now();
  return true;
}

void DHttpConnection::takeLines() {
  try {
    exchange_ = head_.takeLines(*responseBuffer_);
  } catch (const qel::lang::DExceptionBase&) {
    fail();
    throw;
  }
}

bool DHttpConnection::timedOut() const { return lastActivity_ >= 0 && now() - lastActivity_ > timeoutMs_; }

void DHttpConnection::awaitHead() {
  while (!readResponse()) qel::lang::DSystem::sleep(PollIntervalMs);
}

void DHttpConnection::ensureResponse() {
  if (exchange_ == Failed) throwException(ExceptionCode::IO);
  if (exchange_ == SetUp) sendRequest();
  awaitHead();
  if (exchange_ == Failed) throwException(ExceptionCode::IO);
}

qel::io::DInputStreamPtr DHttpConnection::openInputStream() {
  if (exchange_ == SetUp) sendRequest();
  awaitHead();
  return new DHttpInputStream(socketInput_, responseBuffer_, address_, chunkedBody());
}

qel::io::DDataInputStreamPtr DHttpConnection::openDataInputStream() {
  const qel::io::DInputStreamPtr in = openInputStream();
  if (!in) return nullptr;
  return new qel::io::DDataInputStream(in);
}

bool DHttpConnection::chunkedBody() {
  if (exchange_ != HeadComplete) return false;
  const DStringPtr coding = findHeader(u"Transfer-Encoding");
  return coding && containsIgnoringCase(coding->view(), u"chunked");
}

int32_t DHttpConnection::getResponseCode() {
  ensureResponse();
  return head_.code();
}

DStringPtr DHttpConnection::getResponseMessage() {
  ensureResponse();
  return head_.message();
}

DStringPtr DHttpConnection::getHeaderField(const DStringPtr& name) {
  ensureResponse();
  return findHeader(name);
}

DStringPtr DHttpConnection::getEncoding() {
  ensureResponse();
  return findHeader(u"Content-Encoding");
}

DStringPtr DHttpConnection::getType() {
  ensureResponse();
  return findHeader(u"Content-Type");
}

int64_t DHttpConnection::getLength() {
  ensureResponse();
  const DStringPtr length = findHeader(u"Content-Length");
  return length ? qel::lang::DInteger::parseInt(length) : -1;
}

DStringPtr DHttpConnection::findHeader(const char16_t* name) { return findHeader(DStringPtr(name)); }

DStringPtr DHttpConnection::findHeader(const DStringPtr& name) {
  if (!name) return nullptr;
  if (qel::lang::DObject* exact = responseHeaders_->get(name)) return static_cast<DString*>(exact);
  for (qel::util::DEnumerationPtr keys = responseHeaders_->keys(); keys->hasMoreElements();) {
    auto* key = static_cast<DString*>(keys->nextElement());
    if (key && equalsIgnoringCase(key->view(), name->view())) return static_cast<DString*>(responseHeaders_->get(key));
  }
  return nullptr;
}

}  // namespace qel::io
