#pragma once

#include "lang/DString.h"
#include "platform/sms/Sms.h"

namespace qel::messaging {

// The SMS library's send entries and the send itself.
class SmsSender {
public:
  // Loads "sms.dll" and looks up its entries; a missing library leaves
  // sending unavailable.
  void load();
  // Forgets the entries and frees the library, when it was loaded.
  void unload();

  // Sends text to address: '+' makes an international number (sent without
  // the '+'), anything else one of unknown type; at most 256 units of the
  // address are sent. Throws 0x05400000 when the library's entries are
  // missing or address or text is null, and the errors of the open and the
  // send otherwise. The handle is closed on every path.
  void send(const qel::lang::DStringPtr& address, const qel::lang::DStringPtr& text) const;

private:
  wce::HMODULE module_ = nullptr;
  wce::SmsOpenFunction open_ = nullptr;
  wce::SmsCloseFunction close_ = nullptr;
  wce::SmsSendMessageFunction sendMessage_ = nullptr;
};

}  // namespace qel::messaging
