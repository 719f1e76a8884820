#include "microedition/io/SmsConnection.h"

#include "wireless/messaging/DMessageListener.h"
#include "wireless/messaging/DMessageConnection.h"

namespace qel::microedition::io {

SmsConnection::SmsConnection(qel::wireless::messaging::DMessageConnectionPtr messages)
    : messages_(std::move(messages)) {}

SmsConnection::~SmsConnection() = default;

void SmsConnection::close() { messages_->close(); }

}  // namespace qel::microedition::io
