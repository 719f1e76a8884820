#include "platform/mapi/MemoryTable.h"

#include <algorithm>

namespace wce::mapi {

namespace {

// Orders cells of one tag; a row without the cell sorts first.
bool cellLess(const PropertyCell* a, const PropertyCell* b) {
  if (!a || !b) return !a && b;
  return a->value < b->value;
}

}  // namespace

MemoryTable::MemoryTable(std::vector<PropertyRow> rows) : rows_(std::move(rows)) {
  if (!rows_.empty()) {
    for (const PropertyCell& cell : rows_.front()) columns_.push_back(cell.tag);
  }
}

HRESULT MemoryTable::SetColumns(const PropTagArray* columns, ULONG) {
  if (auto result = injected(MapiCall::SetColumns)) return *result;
  if (!columns || columns->count == 0 || !columns->tags) return E_INVALIDARG;
  columns_.assign(columns->tags, columns->tags + columns->count);
  return S_OK;
}

HRESULT MemoryTable::SortTable(const SortOrderSet* order, ULONG) {
  if (auto result = injected(MapiCall::SortTable)) return *result;
  if (!order || (order->count > 0 && !order->orders)) return E_INVALIDARG;
  if (order->count > 1) return MAPI_E_TOO_COMPLEX;
  cursor_ = 0;
  if (order->count == 0) return S_OK;
  const SortOrder key = order->orders[0];
  if (key.order != TABLE_SORT_ASCEND && key.order != TABLE_SORT_DESCEND) return E_INVALIDARG;
  std::stable_sort(rows_.begin(), rows_.end(), [&key](const PropertyRow& a, const PropertyRow& b) {
    const PropertyCell* cellA = findCell(a, key.tag);
    const PropertyCell* cellB = findCell(b, key.tag);
    return key.order == TABLE_SORT_DESCEND ? cellLess(cellB, cellA) : cellLess(cellA, cellB);
  });
  return S_OK;
}

HRESULT MemoryTable::QueryRows(std::int32_t rowCount, ULONG, RowSet** rows) {
  if (auto result = injected(MapiCall::QueryRows)) return *result;
  if (!rows || rowCount <= 0) return E_INVALIDARG;
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(rowCount), rows_.size() - cursor_);
  const HRESULT result = copyRows(cursor_, count, rows);
  if (succeeded(result)) cursor_ += count;
  return result;
}

HRESULT MemoryTable::copyRows(std::size_t first, std::size_t count, RowSet** rows) const {
  void* root = nullptr;
  if (failed(MAPIAllocateBuffer(sizeof(RowSet), &root))) return E_OUTOFMEMORY;
  auto* set = static_cast<RowSet*>(root);
  void* block = nullptr;
  bool ok = count == 0 || succeeded(MAPIAllocateMore(static_cast<ULONG>(count * sizeof(Row)), root, &block));
  set->rows = static_cast<Row*>(block);
  for (std::size_t i = 0; ok && i < count; ++i) {
    Row& row = set->rows[i];
    ok = succeeded(MAPIAllocateMore(static_cast<ULONG>(columns_.size() * sizeof(PropValue)), root, &block));
    if (!ok) break;
    row.values = static_cast<PropValue*>(block);
    row.valueCount = static_cast<ULONG>(columns_.size());
    for (std::size_t c = 0; ok && c < columns_.size(); ++c) {
      ok = copyProperty(rows_[first + i], columns_[c], root, row.values[c]);
    }
    set->rowCount = static_cast<ULONG>(i + 1);
  }
  if (!ok) {
    MAPIFreeBuffer(root);
    return E_OUTOFMEMORY;
  }
  *rows = set;
  return S_OK;
}

}  // namespace wce::mapi
