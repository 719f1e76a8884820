#pragma once

#include "lang/DObject.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "platform/mapi/MapiTypes.h"
#include "wireless/messaging/DMAPIEntry.ptr.h"

namespace qel::messaging {

// One row of the message stores table: a store's name and entry id.
class DMAPIEntry final : public qel::lang::DObject {
public:
  // A new string of the text; null text gives a null name.
  void setName(const char16_t* name);
  // A new byte array copied from the value.
  void setEntryId(const wce::MapiBinary& entryId);

  qel::lang::DStringPtr getName() const { return name_; }
  qel::lang::DbyteArrayPtr getEntryId() const { return entryId_; }

private:
  qel::lang::DStringPtr name_;
  qel::lang::DbyteArrayPtr entryId_;
};

}  // namespace qel::messaging
