#include "wireless/messaging/DMAPIEntry.h"

#include <algorithm>

namespace qel::messaging {

void DMAPIEntry::setName(const char16_t* name) { name_ = name ? new qel::lang::DString(name) : nullptr; }

void DMAPIEntry::setEntryId(const wce::MapiBinary& entryId) {
  const auto size = static_cast<int32_t>(entryId.bytes ? entryId.size : 0);
  entryId_ = new qel::lang::DbyteArray(size);
  if (size > 0) std::copy_n(entryId.bytes, size, reinterpret_cast<uint8_t*>(entryId_->data()));
}

}  // namespace qel::messaging
