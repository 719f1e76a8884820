#pragma once
// A table over rows held in memory: the stores table and a folder's contents.

#include <vector>

#include "platform/mapi/MapiObject.h"
#include "platform/mapi/PropertyCell.h"

namespace wce::mapi {

class MemoryTable final : public MapiObject<IMAPITable> {
public:
  // Until SetColumns the columns are the first row's tags.
  explicit MemoryTable(std::vector<PropertyRow> rows);

  HRESULT SetColumns(const PropTagArray* columns, ULONG flags) override;
  HRESULT SortTable(const SortOrderSet* order, ULONG flags) override;
  HRESULT QueryRows(std::int32_t rowCount, ULONG flags, RowSet** rows) override;

private:
  HRESULT copyRows(std::size_t first, std::size_t count, RowSet** rows) const;

  std::vector<PropertyRow> rows_;
  std::vector<ULONG> columns_;
  std::size_t cursor_ = 0;
};

}  // namespace wce::mapi
