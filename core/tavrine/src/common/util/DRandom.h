#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "util/DRandom.ptr.h"

namespace qel::util {

// The 48-bit linear congruential generator of the profile's random-number
// class: for one seed it gives the sequence of java.util.Random.
class DRandom final : public qel::lang::DObject {
public:
  // Seeded from the framework clock's millisecond tick count.
  DRandom();
  // Internal seed (seed XOR 0x5DEECE66D) AND (2^48 - 1).
  explicit DRandom(int64_t seed);

  // Advances the seed and answers its top bits: bits 0 .. 48, else 0x05400000.
  // next(32) covers every 32-bit value, negatives included.
  int32_t next(int bits);

private:
  uint64_t seed_;
};

}  // namespace qel::util
