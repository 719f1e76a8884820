#include "DHashtableChecker.h"

#include <vector>

namespace qel::util {

std::string DHashtableChecker::check(const DHashtable& table) {
  const int32_t used = table.used_;
  const int32_t buckets = table.bucketCount();
  if (used < 0 || used > table.poolCapacity()) return "used outside the pool";
  if ((table.poolCapacity() - DHashtable::InitialPoolCapacity) % DHashtable::PoolGrowth != 0) return "pool size";
  if (table.threshold_ != static_cast<int32_t>(int64_t{buckets} * table.loadFactor_ / 100)) return "threshold";
  std::vector<bool> seen(static_cast<size_t>(used) + 1, false);
  int32_t linked = 0;
  for (int32_t bucket = 0; bucket < buckets; ++bucket) {
    int32_t expectedPrev = -bucket;
    for (uint32_t index = table.buckets_[static_cast<size_t>(bucket)]; index; index = table.entry(index).next) {
      if (index > static_cast<uint32_t>(used)) return "link past the live entries in bucket " + std::to_string(bucket);
      if (seen[index]) return "entry " + std::to_string(index) + " linked twice";
      seen[index] = true;
      ++linked;
      const DHashtable::Entry& entry = table.entry(index);
      if (entry.prev != expectedPrev) return "prev of entry " + std::to_string(index);
      if (static_cast<int32_t>(table.bucketOf(entry.hash)) != bucket) return "entry in a foreign bucket";
      if (!entry.value) return "null value";
      if (entry.key && entry.key->hashCode() != entry.hash) return "hash differs from the key's";
      expectedPrev = static_cast<int32_t>(index);
    }
  }
  if (linked != used) return "live entries off every chain";
  for (int32_t i = used; i < table.poolCapacity(); ++i) {
    const DHashtable::Entry& entry = table.pool_[static_cast<size_t>(i)];
    if (entry.key || entry.value || entry.next || entry.prev || entry.hash) return "stale pool entry";
  }
  return "";
}

}  // namespace qel::util
