#pragma once

#include "lang/DString.h"
#include "platform/mapi/MapiTypes.h"
#include "wireless/messaging/DMAPIEntry.ptr.h"
#include "wireless/messaging/DMessage.ptr.h"
#include "wireless/messaging/MapiLibrary.h"

namespace qel::messaging {

// Reads message store tables into framework objects. Every row set read is
// freed with the library's MAPIFreeBuffer.
class MapiTableReader {
public:
  explicit MapiTableReader(const MapiLibrary& library) : library_(library) {}

  // The stores of the session by name and entry id; null when the table
  // cannot be had or its columns cannot be set.
  DMAPIEntryArrayPtr listStores(wce::IMAPISession* session) const;
  // The newest message of a contents table (sender -> address, subject ->
  // text); null when the table cannot be set up or sorted or is empty.
  DMessagePtr newestMessage(wce::IMAPITable* table) const;
  // The newest of the first maxRows messages (all when maxRows < 1) whose
  // text matches pattern ('*' and '?'; '\' is an ordinary character); null
  // when none matches or the table cannot be set up.
  DMessagePtr findMessage(wce::IMAPITable* table, const qel::lang::DStringPtr& pattern, int32_t maxRows) const;

private:
  // Selects the message columns and sorts newest first.
  static bool prepareMessages(wce::IMAPITable* table, bool withFlags);
  // The next row as a message; false at the end of the table.
  bool nextMessage(wce::IMAPITable* table, DMessagePtr& message) const;

  const MapiLibrary& library_;
};

}  // namespace qel::messaging
