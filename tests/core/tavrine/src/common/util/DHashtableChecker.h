#pragma once

#include <string>

#include "util/DHashtable.h"

namespace qel::util {

// Checks the pool and the chains of a table: every live entry lies on
// exactly one chain, the one of its bucket, with symmetric links; entries
// past the live ones are empty. Answers the first fault found, or "".
class DHashtableChecker {
public:
  static std::string check(const DHashtable& table);
};

}  // namespace qel::util
