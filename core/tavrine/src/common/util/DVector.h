#pragma once

#include <cstdint>
#include <memory>

#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "util/DEnumeration.ptr.h"
#include "util/DVector.ptr.h"

namespace qel::util {

// Growable list of counted, non-null object references. A full vector grows
// to the larger of its size + 1 and twice its capacity; it never shrinks.
class DVector : public qel::lang::DObject {
public:
  static constexpr int32_t DefaultCapacity = 16;

  DVector() : DVector(DefaultCapacity) {}
  // A negative capacity throws 0x05400000.
  explicit DVector(int32_t capacity);

  int32_t size() const { return size_; }
  int32_t capacity() const { return capacity_; }

  // A null element throws 0x05000080.
  void addElement(const qel::lang::DObjectPtr& element);
  // The element, not counted; index outside 0 .. size-1 throws 0x05800001.
  qel::lang::DObject* elementAt(int32_t index) const;
  // Index outside 0 .. size-1 throws 0x05800001.
  void removeElementAt(int32_t index);
  // Removes the first element e with e.equals(element); true when one was removed.
  bool removeElement(const qel::lang::DObjectPtr& element);
  // Size 0, capacity kept.
  void removeAllElements();
  bool contains(const qel::lang::DObjectPtr& element) const;
  // The first index i with elementAt(i).equals(element), -1 when none.
  int32_t indexOf(const qel::lang::DObjectPtr& element) const;
  // Stores the elements in order into the array's holders, stopping at its
  // end; a null array throws 0x05000080.
  void copyInto(const qel::lang::DObjectArrayPtr& array) const;
  // Below the size, releases the elements from n on and the size becomes n;
  // above the capacity, grows the store to max(n, 2 x capacity) and keeps the
  // size. A negative n throws 0x05800001.
  void setSize(int32_t n);
  // An enumeration that reads the size at each step. It holds a count of
  // this vector, which must therefore live on the heap like every held object.
  DEnumerationPtr elements();

private:
  void ensureCapacity(int32_t needed);
  void checkIndex(int32_t index) const;

  int32_t capacity_;
  int32_t size_ = 0;
  std::unique_ptr<qel::lang::DObjectPtr[]> elements_;
};

}  // namespace qel::util
