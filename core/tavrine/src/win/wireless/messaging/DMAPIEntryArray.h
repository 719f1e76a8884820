#pragma once

#include "lang/DRefArray.h"
#include "wireless/messaging/DMAPIEntry.h"

namespace qel::messaging {

// A typed object array of DMAPIEntry.
class DMAPIEntryArray final : public qel::lang::DRefArray<DMAPIEntry> {
public:
  explicit DMAPIEntryArray(int32_t length) : DRefArray(length) {}

  std::string getClassName() const override { return firstElementClassName("Array", "DObjectArray"); }
};

}  // namespace qel::messaging
