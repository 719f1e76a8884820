#pragma once

#include "lang/DObject.ptr.h"
#include "lang/DRefArray.h"

namespace qel::lang {

// Array of counted object references.
class DObjectArray : public DRefArray<DObject> {
public:
  explicit DObjectArray(int32_t length) : DRefArray(length) {}

  // The first element's class name + "Array" ("DStringArray");
  // "DObjectArray" when the array is empty or its first element null.
  std::string getClassName() const override { return firstElementClassName("Array", "DObjectArray"); }
};

}  // namespace qel::lang
