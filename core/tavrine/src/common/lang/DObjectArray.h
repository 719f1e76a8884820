#pragma once

#include "lang/DObject.ptr.h"
#include "lang/DRefArray.h"

namespace qel::lang {

// Array of counted object references. Its class name is DObject's; an
// array of one element class answers firstElementClassName("Array",
// "DObjectArray"), as DMAPIEntryArray does.
class DObjectArray : public DRefArray<DObject> {
public:
  explicit DObjectArray(int32_t length) : DRefArray(length) {}
};

}  // namespace qel::lang
