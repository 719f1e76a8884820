#pragma once

#include "io/DInputStream.ptr.h"
#include "io/DResourceLocator.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"

namespace qel::io {

// Opens named resources for readers that follow references to other files.
class DResourceLocator : public qel::lang::DObject {
public:
  // A stream over the named resource, or null when there is nothing to read.
  virtual DInputStreamPtr open(const qel::lang::DStringPtr& name) = 0;
};

}  // namespace qel::io
