#pragma once

#include <cstdint>
#include <span>

namespace nv::sound {

// Clips frames of mixed samples to signed 16 bits into out: left[i] alone when
// mono, left[i] and right[i] interleaved when stereo (right is read then only).
using SixteenBitWriter = void (*)(int16_t* out, const int32_t* left, const int32_t* right, uint32_t frames,
                                  bool stereo);

struct SixteenBitWriterSet {
  const char* name;
  SixteenBitWriter write;
};

// Every writer this build has, the portable one first and the widest last;
// all of them run on every processor the build runs on.
std::span<const SixteenBitWriterSet> sixteenBitWriters();

// The widest of them, the one the mixer uses.
SixteenBitWriter sixteenBitWriter();

}  // namespace nv::sound
