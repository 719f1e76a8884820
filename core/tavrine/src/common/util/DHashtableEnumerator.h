#pragma once

#include <cstdint>
#include <utility>

#include "util/DEnumeration.h"
#include "util/DHashtable.ptr.h"

namespace qel::util {

// Enumerates the keys or the values of a table in pool order, up to the
// table's live entry count at each step; holds a count of the table.
class DHashtableEnumerator final : public DEnumeration {
public:
  enum Kind { Keys, Values };

  DHashtableEnumerator(DHashtablePtr table, Kind kind) : table_(std::move(table)), kind_(kind) {}

  bool hasMoreElements() override;
  // The key (null for an integer key) or the value of the next entry.
  qel::lang::DObject* nextElement() override;

private:
  DHashtablePtr table_;
  Kind kind_;
  int32_t index_ = 0;
};

}  // namespace qel::util
