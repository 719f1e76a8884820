#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata {

inline constexpr int kEffectRate = 11025;

struct NamedSound {
  std::string name;  // without folder and extension, e.g. "alarm"
  Bytes file;
};

// Effects: one line per sound, "<name> <seconds> <wave> <start Hz> <end Hz> <envelope> [warble <Hz>]";
// waves sine, square, saw, noise; envelopes flat, decay, swell, and loop (whole cycles that run on
// into the start). Levelled to the music's loudness; written as 8-bit unsigned mono WAV.
std::vector<NamedSound> synthesiseEffects(const std::filesystem::path& file);

// A RIFF WAVE file of 8-bit unsigned mono PCM: "fmt " at byte 12, then "data".
Bytes encodeWav8(const std::vector<std::uint8_t>& samples, int rate);

// A 4-channel "M.K." module from a tune source (see data/sounds/music/).
Bytes composeModule(const std::filesystem::path& file);

}  // namespace nv::demodata
