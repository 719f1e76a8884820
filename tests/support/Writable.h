#pragma once

namespace nvtest {

// The game's area fields and the game library's schedule and flags are
// read-only outside the code that writes them; a test that arranges a case
// writes them through this. The objects
// themselves are not const, so writing through the cast is defined.
template <class T>
T& writable(const T& field) {
  return const_cast<T&>(field);
}

}  // namespace nvtest
