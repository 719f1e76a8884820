#include "util/DVectorEnumerator.h"

#include "util/DVector.h"

namespace qel::util {

bool DVectorEnumerator::hasMoreElements() { return index_ < vector_->size(); }

qel::lang::DObject* DVectorEnumerator::nextElement() {
  if (!hasMoreElements()) return nullptr;
  qel::lang::DObject* element = vector_->elementAt(index_);
  ++index_;
  return element;
}

}  // namespace qel::util
