#include "util/DHashtable.h"

#include <algorithm>
#include <utility>

#include "lang/DExceptionBase.h"
#include "util/DHashtableEnumerator.h"

namespace qel::util {

using qel::lang::DObject;
using qel::lang::DObjectPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

DHashtable::DHashtable(int32_t initialCapacity, int32_t loadFactorPercent) : loadFactor_(loadFactorPercent) {
  if (initialCapacity < 0 || loadFactorPercent < 1) throwException(ExceptionCode::IllegalArgument);
  pool_.resize(InitialPoolCapacity);
  buckets_.assign(initialCapacity == 0 ? 1 : initialCapacity, 0);
  computeThreshold();
}

DObject* DHashtable::get(const DObjectPtr& key) const {
  uint32_t index = find(key->hashCode(), *key);
  return index ? entry(index).value.get() : nullptr;
}

DObject* DHashtable::get(int32_t key) const {
  uint32_t index = findHash(key);
  return index ? entry(index).value.get() : nullptr;
}

DObjectPtr DHashtable::put(const DObjectPtr& key, const DObjectPtr& value) {
  if (!key || !value) throwException(ExceptionCode::Runtime);
  int32_t hash = key->hashCode();
  if (uint32_t index = find(hash, *key)) {
    Entry& found = entry(index);
    DObjectPtr previous = std::exchange(found.value, value);
    found.key = key;
    return previous;
  }
  insert(hash, key, value);
  return nullptr;
}

DObjectPtr DHashtable::put(int32_t key, const DObjectPtr& value) {
  if (!value) throwException(ExceptionCode::NullPointer);
  if (uint32_t index = findHash(key)) return std::exchange(entry(index).value, value);
  insert(key, nullptr, value);
  return nullptr;
}

DObjectPtr DHashtable::remove(const DObjectPtr& key) {
  if (!key) return nullptr;
  uint32_t index = find(key->hashCode(), *key);
  if (!index) return nullptr;
  DObjectPtr value = std::move(entry(index).value);
  DObjectPtr storedKey = std::move(entry(index).key);
  unlink(index);
  uint32_t last = static_cast<uint32_t>(used_);
  if (index != last) moveEntry(last, index);
  entry(last) = Entry();
  --used_;
  return value;
}

bool DHashtable::containsKey(const DObjectPtr& key) const { return find(key->hashCode(), *key) != 0; }

void DHashtable::clear() {
  for (int32_t i = 0; i < used_; ++i) pool_[i] = Entry();
  std::fill(buckets_.begin(), buckets_.end(), 0);
  used_ = 0;
}

DEnumerationPtr DHashtable::elements() {
  return new DHashtableEnumerator(DHashtablePtr(this), DHashtableEnumerator::Values);
}

DEnumerationPtr DHashtable::keys() { return new DHashtableEnumerator(DHashtablePtr(this), DHashtableEnumerator::Keys); }

uint32_t DHashtable::bucketOf(int32_t hash) const {
  return (static_cast<uint32_t>(hash) & 0x7fffffffu) % static_cast<uint32_t>(buckets_.size());
}

uint32_t DHashtable::find(int32_t hash, const DObject& key) const {
  for (uint32_t index = buckets_[bucketOf(hash)]; index; index = entry(index).next) {
    const Entry& candidate = entry(index);
    if (candidate.hash == hash && key.equals(candidate.key.get())) return index;
  }
  return 0;
}

uint32_t DHashtable::findHash(int32_t hash) const {
  for (uint32_t index = buckets_[bucketOf(hash)]; index; index = entry(index).next) {
    if (entry(index).hash == hash) return index;
  }
  return 0;
}

void DHashtable::insert(int32_t hash, const DObjectPtr& key, const DObjectPtr& value) {
  if (used_ >= threshold_) rehash();
  if (used_ >= poolCapacity()) pool_.resize(pool_.size() + PoolGrowth);
  uint32_t index = static_cast<uint32_t>(used_) + 1;
  Entry& created = entry(index);
  created.hash = hash;
  created.key = key;
  created.value = value;
  linkAtHead(index, bucketOf(hash));
  ++used_;
}

void DHashtable::linkAtHead(uint32_t index, uint32_t bucket) {
  Entry& linked = entry(index);
  uint32_t head = buckets_[bucket];
  linked.next = head;
  linked.prev = -static_cast<int32_t>(bucket);
  if (head) entry(head).prev = static_cast<int32_t>(index);
  buckets_[bucket] = index;
}

void DHashtable::unlink(uint32_t index) {
  const Entry& unlinked = entry(index);
  if (unlinked.prev > 0) {
    entry(static_cast<uint32_t>(unlinked.prev)).next = unlinked.next;
  } else {
    buckets_[static_cast<uint32_t>(-unlinked.prev)] = unlinked.next;
  }
  if (unlinked.next) entry(unlinked.next).prev = unlinked.prev;
}

void DHashtable::moveEntry(uint32_t from, uint32_t to) {
  Entry& moved = entry(to);
  moved = std::move(entry(from));
  if (moved.prev > 0) {
    entry(static_cast<uint32_t>(moved.prev)).next = to;
  } else {
    buckets_[static_cast<uint32_t>(-moved.prev)] = to;
  }
  if (moved.next) entry(moved.next).prev = static_cast<int32_t>(to);
}

void DHashtable::rehash() {
  int64_t grown = std::min<int64_t>(int64_t{bucketCount()} * 2 + 1, INT32_MAX);
  buckets_.assign(static_cast<size_t>(grown), 0);
  computeThreshold();
  for (int32_t i = 0; i < used_; ++i) {
    uint32_t index = static_cast<uint32_t>(i) + 1;
    linkAtHead(index, bucketOf(entry(index).hash));
  }
}

void DHashtable::computeThreshold() {
  int64_t threshold = int64_t{bucketCount()} * loadFactor_ / 100;
  threshold_ = static_cast<int32_t>(std::min<int64_t>(threshold, INT32_MAX));
}

}  // namespace qel::util
