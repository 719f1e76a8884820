#pragma once

#include <cstdint>

#include "lang/DString.ptr.h"

namespace nvx {

// What the windows opened from the map screen lead to, beside the result
// handler itself (DialogResults::mapDialogResult). Statics of MainCanvas.
struct MapResults {
  static constexpr int32_t firstOffer = 1;
  static constexpr int32_t lastOffer = 6;
  static constexpr int32_t offerItemFirst = 228;

  // The tip offer asked about in dialog 26.
  static const int32_t& chosenOffer;

  // The persons arrested in this run (dialog 13), else the level-end menu.
  static void reportArrests();
  // The names of the jailed persons joined by ", " and " and ".
  static qel::lang::DStringPtr jailedNames();

private:
  friend struct DialogResults;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline int32_t chosenOffer_ = 0;
};

inline const int32_t& MapResults::chosenOffer = chosenOffer_;

}  // namespace nvx
