#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <stdexcept>

#include "tools/demodata/lib/Sounds.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

double wave(const std::string& shape, double phase, unsigned& noise) {
  const double frac = phase - std::floor(phase);
  if (shape == "sine") return std::sin(2 * std::numbers::pi * frac);
  if (shape == "square") return frac < 0.5 ? 1.0 : -1.0;
  if (shape == "saw") return 2 * frac - 1;
  if (shape == "noise") {
    noise = noise * 1103515245u + 12345u;
    return static_cast<double>((noise >> 16) & 0x7FFF) / 16383.5 - 1.0;
  }
  throw std::runtime_error("unknown wave " + shape);
}

// Effects are levelled to the music's loudness (about -16 dB RMS), never peaking above -3 dB.
constexpr double kTargetRms = 0.158;
constexpr double kPeakLimit = 0.708;

double envelope(const std::string& shape, double t) {
  if (shape == "loop") return 1.0;
  if (shape == "flat") return t < 0.98 ? 1.0 : (1.0 - t) * 50;
  if (shape == "decay") return std::exp(-4.0 * t);
  if (shape == "swell") return std::sin(std::numbers::pi * t);
  throw std::runtime_error("unknown envelope " + shape);
}

void put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void tag(Bytes& out, const char* fourcc) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(fourcc[i]));
}

}  // namespace

Bytes encodeWav8(const std::vector<std::uint8_t>& samples, int rate) {
  Bytes out;
  const auto dataSize = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t padded = dataSize + (dataSize & 1);
  tag(out, "RIFF");
  put32(out, 4 + 8 + 16 + 8 + padded);
  tag(out, "WAVE");
  tag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, static_cast<std::uint32_t>(rate));
  put32(out, static_cast<std::uint32_t>(rate));  // bytes per second
  put16(out, 1);                                 // block align
  put16(out, 8);                                 // bits per sample
  tag(out, "data");
  put32(out, dataSize);
  out.insert(out.end(), samples.begin(), samples.end());
  if (dataSize & 1) out.push_back(0x80);
  return out;
}

std::vector<NamedSound> synthesiseEffects(const std::filesystem::path& file) {
  const SourceFile source(file);
  std::vector<NamedSound> sounds;
  for (const auto& line : source.lines()) {
    const auto w = splitWords(line.text);
    if (w.size() != 6 && !(w.size() == 8 && w[6] == "warble"))
      source.fail(line, "expected <name> <seconds> <wave> <start Hz> <end Hz> <envelope> [warble <Hz>]");
    const std::string waves[] = {"sine", "square", "saw", "noise"}, envelopes[] = {"flat", "decay", "swell", "loop"};
    if (std::find(std::begin(waves), std::end(waves), w[2]) == std::end(waves))
      source.fail(line, "unknown wave " + w[2]);
    if (std::find(std::begin(envelopes), std::end(envelopes), w[5]) == std::end(envelopes))
      source.fail(line, "unknown envelope " + w[5]);
    try {
      const double seconds = std::stod(w[1]);
      const double f0 = std::stod(w[3]), f1 = std::stod(w[4]);
      const double warble = w.size() == 8 ? std::stod(w[7]) : 0.0;
      if (seconds <= 0 || seconds > 5 || f0 <= 0 || f1 <= 0) source.fail(line, "bad duration or frequency");
      const bool loop = w[5] == "loop";
      // A loop is made of whole warble halves (or one segment), each of whole wave cycles
      // starting at phase 0, so its end runs on into its start.
      const int segment = loop && warble > 0 ? static_cast<int>(std::lround(kEffectRate / (2 * warble)))
                                             : static_cast<int>(seconds * kEffectRate);
      const int count = loop ? std::max(1, static_cast<int>(std::lround(seconds * kEffectRate / segment))) * segment
                             : static_cast<int>(seconds * kEffectRate);
      if (loop && w[2] == "noise") source.fail(line, "a loop needs a periodic wave");
      std::vector<double> values;
      double phase = 0;
      unsigned noise = 0x2545F491u;
      for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        double f = f0 + (f1 - f0) * t;
        if (warble > 0) f = std::fmod(i * warble / kEffectRate, 1.0) < 0.5 ? f0 : f1;
        if (loop) {
          const int inSegment = i % segment;
          const double cycles =
              std::max(1.0, std::round((warble > 0 ? ((i / segment) % 2 ? f1 : f0) : f0) * segment / kEffectRate));
          phase = cycles * inSegment / segment;
        } else {
          phase += f / kEffectRate;
        }
        values.push_back(wave(w[2], phase, noise) * envelope(w[5], t));
      }
      double sum = 0, peak = 0;
      for (double v : values) {
        sum += v * v;
        peak = std::max(peak, std::abs(v));
      }
      const double rms = std::sqrt(sum / std::max<std::size_t>(values.size(), 1));
      const double gain = rms > 0 ? std::min(kTargetRms / rms, kPeakLimit / peak) : 0.0;
      std::vector<std::uint8_t> samples;
      for (double v : values) samples.push_back(static_cast<std::uint8_t>(std::lround(128 + 127 * gain * v)));
      sounds.push_back({w[0], encodeWav8(samples, kEffectRate)});
    } catch (const std::logic_error& e) {
      source.fail(line, e.what());
    }
  }
  return sounds;
}

}  // namespace nv::demodata
