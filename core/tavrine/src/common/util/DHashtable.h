#pragma once

#include <cstdint>
#include <vector>

#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "util/DEnumeration.ptr.h"
#include "util/DHashtable.ptr.h"

namespace qel::util {

class DHashtableEnumerator;
class DHashtableChecker;

// Map from counted keys (objects, or plain integers) to counted values, with
// chained buckets whose entries live packed in one pool. The bucket of a hash
// h is (h & 0x7fffffff) mod the bucket count; enumerations walk the pool.
// Every table of the system is made as DHashtable(11, 75).
class DHashtable : public qel::lang::DObject {
public:
  // A negative capacity or a load factor below 1 percent throws 0x05400000.
  DHashtable(int32_t initialCapacity, int32_t loadFactorPercent);

  int32_t size() const { return used_; }
  int32_t bucketCount() const { return static_cast<int32_t>(buckets_.size()); }
  int32_t poolCapacity() const { return static_cast<int32_t>(pool_.size()); }
  int32_t threshold() const { return threshold_; }

  // The value, not counted, or null; a null key throws 0x05000080.
  qel::lang::DObject* get(const qel::lang::DObjectPtr& key) const;
  // The value of the first entry in the key's chain whose hash is key: an
  // entry under a DInteger or DShort key of that value is found too.
  qel::lang::DObject* get(int32_t key) const;
  // The previous value, or null when the key is new; a null key or value
  // throws 0x05000000. An existing entry takes the new key and value.
  qel::lang::DObjectPtr put(const qel::lang::DObjectPtr& key, const qel::lang::DObjectPtr& value);
  // Found by hash alone; an existing entry keeps its key and takes the new
  // value. A null value throws 0x05000080.
  qel::lang::DObjectPtr put(int32_t key, const qel::lang::DObjectPtr& value);
  // The removed value; null for a null or absent key.
  qel::lang::DObjectPtr remove(const qel::lang::DObjectPtr& key);
  // A null key throws 0x05000080.
  bool containsKey(const qel::lang::DObjectPtr& key) const;
  // Releases every entry; the pool and the bucket count stay.
  void clear();

  // The values, in pool order. The enumeration holds a count of this table,
  // which must therefore live on the heap like every held object.
  DEnumerationPtr elements();
  // The keys, in pool order (null for an integer key); holds this table too.
  DEnumerationPtr keys();

private:
  friend class DHashtableEnumerator;
  friend class DHashtableChecker;

  static constexpr int32_t InitialPoolCapacity = 16;
  static constexpr int32_t PoolGrowth = 64;

  // Links are 1-based pool indices, 0 for none; the first entry of a chain
  // has prev = minus its bucket index.
  struct Entry {
    int32_t hash = 0;
    qel::lang::DObjectPtr key;
    qel::lang::DObjectPtr value;
    uint32_t next = 0;
    int32_t prev = 0;
  };

  uint32_t bucketOf(int32_t hash) const;
  Entry& entry(uint32_t index) { return pool_[index - 1]; }
  const Entry& entry(uint32_t index) const { return pool_[index - 1]; }
  uint32_t find(int32_t hash, const qel::lang::DObject& key) const;
  uint32_t findHash(int32_t hash) const;
  void insert(int32_t hash, const qel::lang::DObjectPtr& key, const qel::lang::DObjectPtr& value);
  void linkAtHead(uint32_t index, uint32_t bucket);
  void unlink(uint32_t index);
  void moveEntry(uint32_t from, uint32_t to);
  void rehash();
  void computeThreshold();

  std::vector<Entry> pool_;
  int32_t used_ = 0;
  std::vector<uint32_t> buckets_;
  int32_t loadFactor_;
  int32_t threshold_ = 0;
};

}  // namespace qel::util
