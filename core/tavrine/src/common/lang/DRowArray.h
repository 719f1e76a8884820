#pragma once

#include <cstddef>

#include "lang/DObjectArray.h"

namespace qel::lang {

// One element of a two-dimensional array: the object array's slot, read as
// a Row and written with Rows. A slot that holds another class (stored
// through the object-array base) reads as null.
template <class Row>
class DRowSlot {
public:
  explicit DRowSlot(DObjectPtr& slot) noexcept : slot_(slot) {}

  DRowSlot& operator=(DPtr<Row> row) {
    slot_ = std::move(row);
    return *this;
  }
  DRowSlot& operator=(const DRowSlot& other) { return *this = DPtr<Row>(other); }

  Row* get() const { return dynamic_cast<Row*>(slot_.get()); }
  operator DPtr<Row>() const { return DPtr<Row>(get()); }
  bool isNull() const { return get() == nullptr; }
  explicit operator bool() const { return !isNull(); }
  friend bool operator==(const DRowSlot& slot, std::nullptr_t) { return slot.isNull(); }

  // A null row throws the null-reference exception.
  Row* operator->() const {
    Row* row = get();
    if (!row) throwNullPointer();
    return row;
  }
  Row& operator*() const { return *operator->(); }
  decltype(auto) operator[](int32_t index) const { return operator->()->at(index); }
  decltype(auto) at(int32_t index) const { return operator->()->at(index); }

private:
  DObjectPtr& slot_;
};

// An object array whose elements are rows of one class: usable wherever a
// DObjectArray is, with typed row access. Row index errors throw 0x05800000.
template <class Row>
class DRowArray : public DObjectArray {
public:
  DRowSlot<Row> at(int32_t index) { return DRowSlot<Row>(DObjectArray::at(index)); }
  DRowSlot<Row> at(int32_t index) const { return const_cast<DRowArray*>(this)->at(index); }

protected:
  // rows null rows.
  explicit DRowArray(int32_t rows) : DObjectArray(rows) {}
  // rows new rows of cols elements.
  DRowArray(int32_t rows, int32_t cols) : DObjectArray(rows) {
    for (int32_t i = 0; i < length(); ++i) at(i) = new Row(cols);
  }
};

}  // namespace qel::lang
