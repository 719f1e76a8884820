#pragma once

#include "platform/mapi/MapiTypes.h"
#include "platform/system/WinTypes.h"
#include "wireless/messaging/DMAPIAdviseSink.h"
#include "wireless/messaging/MapiLibrary.h"

namespace qel::messaging {

// The SMS layer's hold on the messaging system: the session, the store named
// "SMS", its inbox, and the sink advised on the store. A failed step of the
// opening undoes the steps before it; a sink that cannot be advised is
// dropped while the inbox stays open.
class SmsMessageStore {
public:
  // Runs MAPIInitialize, logon, the store and inbox, then advises the sink.
  void open(const MapiLibrary& library, wce::HWND window);
  // Frees and releases everything open, then MAPIUninitialize.
  void close(const MapiLibrary& library);

  bool hasSink() const { return sink_ != nullptr; }
  wce::IMAPIFolder* inbox() const { return inbox_; }

private:
  bool openInbox(const MapiLibrary& library, wce::HWND window);
  void adviseSink();
  // Releases inbox, store and session, in that order, and clears them.
  void releaseObjects();

  wce::IMAPISession* session_ = nullptr;
  wce::IMsgStore* store_ = nullptr;
  wce::IMAPIFolder* inbox_ = nullptr;
  wce::PropValue* inboxEntryId_ = nullptr;
  DMAPIAdviseSink* sink_ = nullptr;
  wce::ULONG adviseConnection_ = 0;
  bool initialized_ = false;
};

}  // namespace qel::messaging
