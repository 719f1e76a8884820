#pragma once

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace nvx {

// Saves that could not be written. Each failure writes one line on the
// error stream naming the store and the reason, and owes the player one
// notice; failures before the notice is shown share it.
class SaveFailures {
public:
  static void report(const qel::lang::DStringPtr& store, const qel::lang::DExceptionBase& failure);
  static bool noticeOwed() { return noticeOwed_; }
  static void noticeShown() { noticeOwed_ = false; }

private:
  static inline bool noticeOwed_ = false;
};

}  // namespace nvx
