#include "platform/mapi/PropertyCell.h"

#include <algorithm>

#include "platform/mapi/Mapi.h"

namespace wce::mapi {

namespace {

// 100 ns intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000;

template <typename Unit>
const Unit* copyInto(const std::basic_string<Unit>& units, std::size_t count, void* root) {
  void* block = nullptr;
  if (failed(MAPIAllocateMore(static_cast<ULONG>(count * sizeof(Unit)), root, &block))) return nullptr;
  std::copy_n(units.data(), std::min(units.size(), count), static_cast<Unit*>(block));
  return static_cast<const Unit*>(block);
}

}  // namespace

FileTime fileTimeFromUnixMillis(std::int64_t millis) {
  const auto ticks = static_cast<std::uint64_t>(kUnixEpochAsFileTime + millis * 10000);
  return FileTime{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

const PropertyCell* findCell(const PropertyRow& row, ULONG tag) {
  const auto found = std::find_if(row.begin(), row.end(), [tag](const PropertyCell& cell) { return cell.tag == tag; });
  return found == row.end() ? nullptr : &*found;
}

bool copyProperty(const PropertyRow& row, ULONG tag, void* root, PropValue& value) {
  const PropertyCell* cell = findCell(row, tag);
  if (!cell) {
    value.tag = errorTag(tag);
    value.value.error = MAPI_E_NOT_FOUND;
    return true;
  }
  value.tag = tag;
  if (const auto* number = std::get_if<std::int32_t>(&cell->value)) {
    value.value.number = *number;
  } else if (const auto* time = std::get_if<FileTime>(&cell->value)) {
    value.value.time = *time;
  } else if (const auto* text = std::get_if<std::u16string>(&cell->value)) {
    value.value.unicode = copyInto(*text, text->size() + 1, root);
    return value.value.unicode != nullptr;
  } else {
    const Bytes& bytes = std::get<Bytes>(cell->value);
    void* block = nullptr;
    if (failed(MAPIAllocateMore(static_cast<ULONG>(bytes.size()), root, &block))) return false;
    std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(block));
    value.value.binary = MapiBinary{static_cast<ULONG>(bytes.size()), static_cast<std::uint8_t*>(block)};
  }
  return true;
}

}  // namespace wce::mapi
