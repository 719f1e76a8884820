#include "wireless/messaging/DMessage.h"

namespace qel::messaging {

using qel::lang::DStringPtr;

DMessage::DMessage(DStringPtr address, DStringPtr payloadText)
    : address_(std::move(address)), payloadText_(std::move(payloadText)) {}

DStringPtr DMessage::getAddress() const { return address_; }

void DMessage::setAddress(const DStringPtr& address) { address_ = address; }

DStringPtr DMessage::getPayloadText() const { return payloadText_; }

void DMessage::setPayloadText(const DStringPtr& text) { payloadText_ = text; }

}  // namespace qel::messaging
