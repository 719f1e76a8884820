#include "util/DHashtableEnumerator.h"

#include "util/DHashtable.h"

namespace qel::util {

bool DHashtableEnumerator::hasMoreElements() { return index_ < table_->size(); }

qel::lang::DObject* DHashtableEnumerator::nextElement() {
  if (!hasMoreElements()) return nullptr;
  const DHashtable::Entry& entry = table_->pool_[static_cast<size_t>(index_)];
  ++index_;
  return kind_ == Keys ? entry.key.get() : entry.value.get();
}

}  // namespace qel::util
