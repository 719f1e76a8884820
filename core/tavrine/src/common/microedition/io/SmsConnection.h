#pragma once

#include <cstdint>

#include "microedition/io/DConnection.h"
#include "wireless/messaging/DMessageConnection.ptr.h"

namespace qel::microedition::io {

// An "sms://" connection seen through the connection interface: state
// always 0, close removes the listener, no streams. The message operations
// are those of the message connection it holds.
class SmsConnection final : public DConnection {
public:
  explicit SmsConnection(qel::wireless::messaging::DMessageConnectionPtr messages);
  ~SmsConnection() override;

  std::string getClassName() const override { return "SmsConnection"; }

  int32_t getState() override { return Closed; }
  void close() override;
  const qel::wireless::messaging::DMessageConnectionPtr& messages() const { return messages_; }

private:
  qel::wireless::messaging::DMessageConnectionPtr messages_;
};

}  // namespace qel::microedition::io
