#include "wireless/messaging/DMessageConnection.h"

#include "lang/DObjectArray.h"
#include "util/DVector.h"
#include "wireless/messaging/DMAPIEntryArray.h"
#include "wireless/messaging/DMessage.h"
#include "wireless/messaging/DMessageListener.h"
#include "wireless/messaging/MapiTableReader.h"
#include "wireless/messaging/SmsArrivals.h"
#include "wireless/messaging/SmsMessageStore.h"
#include "wireless/messaging/SmsSender.h"

namespace qel::messaging {

namespace {

using qel::lang::DStringPtr;

// The SMS layer's process-wide state, used on the host's thread only; the
// sink's share is in SmsArrivals.
struct SmsAccess {
  SmsSender sender;
  MapiLibrary mapi;
  SmsMessageStore store;
  qel::util::DVectorPtr listeningConnections;
};

SmsAccess& access() {
  static SmsAccess instance;
  return instance;
}

}  // namespace

DMessageConnectionPtr DMessageConnection::open(const DStringPtr& url) {
  const int32_t slashes = url->indexOf(DStringPtr(u"//"));
  return new DMessageConnection(slashes < 0 ? url : url->substring(slashes + 2));
}

DMessageConnection::DMessageConnection(qel::lang::DStringPtr address) : address_(std::move(address)) {}

DMessageConnection::~DMessageConnection() = default;

void DMessageConnection::close() { setMessageListener(nullptr); }

DMessagePtr DMessageConnection::newMessage(const DStringPtr&, const DStringPtr& address) const {
  return new DMessage(address, nullptr);
}

void DMessageConnection::send(const DMessagePtr& message) const {
  access().sender.send(message->getAddress(), message->getPayloadText());
}

void DMessageConnection::setMessageListener(const DMessageListenerPtr& listener) {
  SmsAccess& state = access();
  if (!state.listeningConnections) return;
  listener_ = listener;
  const qel::lang::DObjectPtr self(this);
  if (listener) {
    smsArrivals().setListening(true);
    if (!state.listeningConnections->contains(self)) state.listeningConnections->addElement(self);
  } else {
    smsArrivals().setListening(false);
    smsArrivals().clearPending();
    state.listeningConnections->removeElement(self);
  }
}

void DMessageConnection::initSmsAccess(wce::HWND window) {
  releaseSmsAccess();
  SmsAccess& state = access();
  state.sender.load();
  if (!state.mapi.load()) return;
  state.listeningConnections = new qel::util::DVector();
  smsArrivals().setListening(false);
  smsArrivals().clearPending();
  state.store.open(state.mapi, window);
}

void DMessageConnection::pollListeners() {
  SmsAccess& state = access();
  if (!state.listeningConnections) return;
  qel::lang::DObjectArrayPtr connections = new qel::lang::DObjectArray(state.listeningConnections->size());
  state.listeningConnections->copyInto(connections);
  for (int32_t i = 0; i < connections->length(); ++i) {
    notifyListener(DMessageConnectionPtr(static_cast<DMessageConnection*>(connections->at(i).get())));
  }
}

void DMessageConnection::notifyListener(const DMessageConnectionPtr& connection) {
  if (!access().store.hasSink() || !connection->listener_) return;
  if (!smsArrivals().takeOne()) return;
  const DMessageListenerPtr listener = connection->listener_;
  listener->notifyIncomingMessage(connection);
}

void DMessageConnection::releaseSmsAccess() {
  SmsAccess& state = access();
  state.sender.unload();
  state.listeningConnections.release();
  state.store.close(state.mapi);
  state.mapi.unload();
  smsArrivals().setListening(false);
  smsArrivals().clearPending();
}

template <typename Read>
DMessagePtr DMessageConnection::readInbox(Read read) {
  SmsAccess& state = access();
  wce::IMAPIFolder* inbox = state.store.inbox();
  if (!inbox || !state.mapi.complete() || wce::failed(state.mapi.initialize(nullptr))) return nullptr;
  DMessagePtr message;
  wce::IMAPITable* table = nullptr;
  if (wce::succeeded(inbox->GetContentsTable(wce::MAPI_UNICODE, &table)) && table) {
    message = read(MapiTableReader(state.mapi), table);
    table->Release();
  }
  state.mapi.uninitialize();
  return message;
}

DMessagePtr DMessageConnection::newestInboxMessage() {
  return readInbox([](const MapiTableReader& reader, wce::IMAPITable* table) { return reader.newestMessage(table); });
}

DMessagePtr DMessageConnection::findInInbox(const DStringPtr& pattern, int32_t maxRows) {
  return readInbox([&](const MapiTableReader& reader, wce::IMAPITable* table) {
    return reader.findMessage(table, pattern, maxRows);
  });
}

DMessagePtr DMessageConnection::newestMessage(wce::IMAPITable* table) {
  return MapiTableReader(access().mapi).newestMessage(table);
}

DMessagePtr DMessageConnection::findMessage(wce::IMAPITable* table, const DStringPtr& pattern, int32_t maxRows) {
  return MapiTableReader(access().mapi).findMessage(table, pattern, maxRows);
}

DMAPIEntryArrayPtr DMessageConnection::listStores(wce::IMAPISession* session) {
  return MapiTableReader(access().mapi).listStores(session);
}

}  // namespace qel::messaging
