#pragma once
// A property as the store keeps it, and its copy into MAPI buffers.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/mapi/MapiTypes.h"

namespace wce {

inline bool operator<(const FileTime& a, const FileTime& b) {
  return a.high != b.high ? a.high < b.high : a.low < b.low;
}

}  // namespace wce

namespace wce::mapi {

using Bytes = std::vector<std::uint8_t>;

struct PropertyCell {
  ULONG tag;
  std::variant<std::int32_t, std::u16string, Bytes, FileTime> value;
};
using PropertyRow = std::vector<PropertyCell>;

FileTime fileTimeFromUnixMillis(std::int64_t millis);

// The cell with that tag, or null.
const PropertyCell* findCell(const PropertyRow& row, ULONG tag);

// Fills value from the row's cell of that tag (a PT_ERROR value of
// MAPI_E_NOT_FOUND when the row has none); texts and bytes go into buffers
// allocated with MAPIAllocateMore on root. False when allocation fails.
bool copyProperty(const PropertyRow& row, ULONG tag, void* root, PropValue& value);

}  // namespace wce::mapi
