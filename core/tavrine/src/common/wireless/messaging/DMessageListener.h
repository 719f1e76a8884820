#pragma once

#include "lang/DObject.h"
#include "wireless/messaging/DMessageConnection.ptr.h"
#include "wireless/messaging/DMessageListener.ptr.h"

namespace qel::messaging {

// Told by the host's tick that a new message has arrived for a connection.
class DMessageListener : public qel::lang::DObject {
public:
  virtual void notifyIncomingMessage(const DMessageConnectionPtr& connection) = 0;
};

}  // namespace qel::messaging
