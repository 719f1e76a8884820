#pragma once

#include "lang/DObject.h"
#include "util/DEnumeration.ptr.h"

namespace qel::util {

// Iteration over the elements of a collection.
//
//   for (DEnumerationPtr e = vector->elements(); e->hasMoreElements();) use(e->nextElement());
class DEnumeration : public qel::lang::DObject {
public:
  virtual bool hasMoreElements() = 0;
  // The next element, not counted; null once exhausted.
  virtual qel::lang::DObject* nextElement() = 0;
};

}  // namespace qel::util
