#include "util/DRandom.h"

#include "lang/DExceptionBase.h"
#include "lang/DSystem.h"

namespace qel::util {

namespace {

constexpr uint64_t kMultiplier = 0x5DEECE66Dull;
constexpr uint64_t kAddend = 11;
constexpr uint64_t kMask = (uint64_t{1} << 48) - 1;

}  // namespace

DRandom::DRandom() : DRandom(qel::lang::DSystem::currentTimeMillis(0)) {}

DRandom::DRandom(int64_t seed) : seed_((static_cast<uint64_t>(seed) ^ kMultiplier) & kMask) {}

int32_t DRandom::next(int bits) {
  if (bits < 0 || bits > 48) qel::lang::throwException(qel::lang::ExceptionCode::IllegalArgument);
  seed_ = (seed_ * kMultiplier + kAddend) & kMask;
  return static_cast<int32_t>(static_cast<uint32_t>(seed_ >> (48 - bits)));
}

}  // namespace qel::util
