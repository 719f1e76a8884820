#pragma once

#include <cstdint>
#include <string>

#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"

namespace qel::lang {

// Root of every framework class: reference-counted, 0 after construction.
// An object is deleted by the release that takes its count from 1 to 0;
// a count of 0 or below is never decremented. Held objects live on the heap.
class DObject {
public:
  DObject() = default;
  DObject(const DObject&) {}
  DObject& operator=(const DObject&) { return *this; }
  virtual ~DObject() = default;

  // The empty operation; file and print streams close themselves here.
  virtual void dispose() {}
  virtual std::string getClassName() const;
  // "DObject@" followed by hashCode() in lower-case hexadecimal.
  virtual DStringPtr toString() const;
  // The address with bit 31 cleared.
  virtual int32_t hashCode() const;
  // Identity.
  virtual bool equals(const DObject* other) const;

  void addRef() { ++refCount_; }
  void releaseRef() {
    if (refCount_ <= 0) return;
    if (--refCount_ == 0) delete this;
  }
  int32_t refCount() const { return refCount_; }

  // True when both are non-null and object's class name equals name.
  static bool isClassNamed(const DObject* object, const DStringPtr& name);

private:
  int32_t refCount_ = 0;
};

}  // namespace qel::lang
