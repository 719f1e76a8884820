#pragma once

#include "lang/DObject.h"
#include "lang/DString.h"
#include "wireless/messaging/DMessage.ptr.h"

namespace qel::messaging {

// A text message: the address it goes to or came from, and its text.
class DMessage final : public qel::lang::DObject {
public:
  DMessage(qel::lang::DStringPtr address, qel::lang::DStringPtr payloadText);

  qel::lang::DStringPtr getAddress() const;
  void setAddress(const qel::lang::DStringPtr& address);
  qel::lang::DStringPtr getPayloadText() const;
  void setPayloadText(const qel::lang::DStringPtr& text);

private:
  qel::lang::DStringPtr address_;
  qel::lang::DStringPtr payloadText_;
};

}  // namespace qel::messaging
