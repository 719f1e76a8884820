#pragma once

#include "lang/DString.h"
#include "microedition/io/DConnection.h"
#include "platform/mapi/MapiTypes.h"
#include "platform/system/WinTypes.h"
#include "wireless/messaging/DMAPIEntry.ptr.h"
#include "wireless/messaging/DMessage.ptr.h"
#include "wireless/messaging/DMessageConnection.ptr.h"
#include "wireless/messaging/DMessageListener.ptr.h"

namespace qel::messaging {

// An "sms://" connection: sends text messages through the device's SMS
// library and tells its listener, during the host's tick, that a message
// has arrived in the SMS inbox. The SMS layer's process-wide state is set
// up by the host with initSmsAccess, polled with pollListeners and torn
// down with releaseSmsAccess, all on the host's thread.
class DMessageConnection final : public qel::io::DConnection {
public:
  // A connection without listener whose address is the text after the
  // first "//" of url (the whole url when it has none).
  static DMessageConnectionPtr open(const qel::lang::DStringPtr& url);
  ~DMessageConnection() override;

  // Always Closed: a message connection has no connection state.
  int32_t getState() override { return Closed; }
  // setMessageListener(null).
  void close() override;

  qel::lang::DStringPtr getAddress() const { return address_; }
  // A message to address; the type is not looked at.
  DMessagePtr newMessage(const qel::lang::DStringPtr& type, const qel::lang::DStringPtr& address) const;
  // Sends the message's payload text to its address. Throws 0x05400000
  // without the SMS library or for a message without address or text, and
  // 0x05400000 or 0x06000000 with the library's reason when the open or the
  // send fails.
  void send(const DMessagePtr& message) const;
  // A listener makes the layer count arrivals and puts the connection in the
  // list that pollListeners serves. Null stops the counting for every
  // connection and drops the count. Does nothing before set-up.
  void setMessageListener(const DMessageListenerPtr& listener);

  // window: the application window that the messaging logon is given. A
  // layer that is set up already is released first.
  static void initSmsAccess(wce::HWND window = nullptr);
  // For each listening connection in list order: when a message is pending,
  // takes it and calls the listener once.
  static void pollListeners();
  static void releaseSmsAccess();

  // The newest message of the SMS inbox, or null.
  static DMessagePtr newestInboxMessage();
  // The newest of the first maxRows inbox messages (all when below 1) whose
  // text matches pattern, or null.
  static DMessagePtr findInInbox(const qel::lang::DStringPtr& pattern, int32_t maxRows);
  static DMessagePtr newestMessage(wce::IMAPITable* table);
  static DMessagePtr findMessage(wce::IMAPITable* table, const qel::lang::DStringPtr& pattern, int32_t maxRows);
  static DMAPIEntryArrayPtr listStores(wce::IMAPISession* session);

private:
  explicit DMessageConnection(qel::lang::DStringPtr address);

  static void notifyListener(const DMessageConnectionPtr& connection);
  // The inbox's contents table handed to read, then released; null when the
  // inbox is not open.
  template <typename Read>
  static DMessagePtr readInbox(Read read);

  DMessageListenerPtr listener_;
  qel::lang::DStringPtr address_;
};

}  // namespace qel::messaging
