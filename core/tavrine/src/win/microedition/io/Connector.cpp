#include "microedition/io/Connector.h"

#include "lang/DString.h"
#include "microedition/io/DHttpConnection.h"
#include "microedition/io/DSocketConnection.h"
#include "wireless/messaging/DMessageConnection.h"
#include "wireless/messaging/DMessageListener.h"

namespace qel::io {

DConnectionPtr Connector::open(qel::lang::DStringPtr url, int32_t mode, bool timeouts) {
  if (!url) return nullptr;
  if (url->startsWith(u"sms://")) return qel::messaging::DMessageConnection::open(url);
  if (url->startsWith(u"socket://")) return DSocketConnection::open(url, mode, timeouts);
  if (url->startsWith(u"http://")) return DHttpConnection::open(url, mode, timeouts);
  return nullptr;
}

DConnectionPtr Connector::open(qel::lang::DStringPtr url) { return open(std::move(url), ReadWrite, false); }

}  // namespace qel::io
