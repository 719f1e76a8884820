#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>

#include "tools/demodata/lib/Sounds.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

constexpr int kChannels = 4;
constexpr int kRows = 64;
constexpr int kSampleSlots = 31;

// Amiga periods of octaves 1-3, C to B.
constexpr std::array<int, 36> kPeriods{856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                       428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                       214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

int periodOf(const std::string& note) {
  static const std::map<std::string, int> semitones{{"C", 0},
                                                    {"C#", 1},
                                                    {"D", 2},
                                                    {"D#", 3},
                                                    {"E", 4},
                                                    {"F", 5},
                                                    {"F#", 6},
                                                    {"G", 7},
                                                    {"G#", 8},
                                                    {"A", 9},
                                                    {"A#", 10},
                                                    {"B", 11}};
  if (note.size() < 2) throw std::invalid_argument("bad note " + note);
  const int octave = note.back() - '0';
  const auto it = semitones.find(note.substr(0, note.size() - 1));
  if (it == semitones.end() || octave < 1 || octave > 3)
    throw std::invalid_argument("notes run from C1 to B3: " + note);
  return kPeriods[(octave - 1) * 12 + it->second];
}

struct Sample {
  std::string name;
  std::vector<std::int8_t> data;
  int volume;
  bool loops;
};

Sample makeSample(const std::string& name, const std::string& shape, int length, int volume) {
  if (length < 2 || length % 2 != 0 || length > 65534)
    throw std::invalid_argument("sample length must be even, 2-65534");
  if (volume < 0 || volume > 64) throw std::invalid_argument("volume is 0-64");
  Sample s{name, {}, volume, shape != "noise"};
  unsigned noise = 0x1234567u;
  for (int i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / length;
    double v = 0;
    if (shape == "square")
      v = t < 0.5 ? 0.7 : -0.7;
    else if (shape == "triangle")
      v = t < 0.5 ? 4 * t - 1 : 3 - 4 * t;
    else if (shape == "sine")
      v = std::sin(2 * std::numbers::pi * t);
    else if (shape == "noise") {
      noise = noise * 1103515245u + 12345u;
      v = (static_cast<double>((noise >> 16) & 0x7FFF) / 16383.5 - 1.0) * std::exp(-6.0 * t);
    } else
      throw std::invalid_argument("unknown sample wave " + shape);
    s.data.push_back(static_cast<std::int8_t>(std::lround(v * 120)));
  }
  return s;
}

struct Cell {
  int sample = 0, period = 0, effect = 0, param = 0;
};
using Pattern = std::array<std::array<Cell, kChannels>, kRows>;

}  // namespace

Bytes composeModule(const std::filesystem::path& file) {
  const SourceFile source(file);
  std::string title;
  int speed = 6;
  std::vector<Sample> samples;
  std::map<std::string, int> sampleIndex;
  std::map<std::string, int> patternIndex;
  std::vector<Pattern> patterns;
  std::vector<int> order;
  for (const auto& line : source.lines()) {
    const auto w = splitWords(line.text);
    if (w.empty()) continue;
    try {
      if (w[0] == "title" && w.size() >= 2) {
        title = line.text.substr(6);
      } else if (w[0] == "speed" && w.size() == 2) {
        speed = parseInt(w[1]);
        if (speed < 1 || speed > 31) source.fail(line, "speed is 1-31 ticks per row");
      } else if (w[0] == "sample" && w.size() == 5) {
        if (samples.size() == kSampleSlots) source.fail(line, "at most 31 samples");
        sampleIndex[w[1]] = static_cast<int>(samples.size()) + 1;
        samples.push_back(makeSample(w[1], w[2], parseInt(w[3]), parseInt(w[4])));
      } else if (w[0] == "pattern" && w.size() == 2) {
        patternIndex[w[1]] = static_cast<int>(patterns.size());
        patterns.emplace_back();
      } else if (w[0] == "channel" && w.size() >= 4) {
        // channel <1-4> <sample> <note or -> ...: the notes repeat until row 64.
        if (patterns.empty()) source.fail(line, "\"pattern\" must come first");
        const int channel = parseInt(w[1]) - 1;
        if (channel < 0 || channel >= kChannels) source.fail(line, "channels are 1-4");
        const auto s = sampleIndex.find(w[2]);
        if (s == sampleIndex.end()) source.fail(line, "unknown sample " + w[2]);
        const std::vector<std::string> notes(w.begin() + 3, w.end());
        for (int row = 0; row < kRows; ++row) {
          const std::string& note = notes[row % notes.size()];
          if (note == "-") continue;
          patterns.back()[row][channel] = {s->second, periodOf(note), 0, 0};
        }
      } else if (w[0] == "order" && w.size() >= 2) {
        for (std::size_t i = 1; i < w.size(); ++i) {
          const auto p = patternIndex.find(w[i]);
          if (p == patternIndex.end()) source.fail(line, "unknown pattern " + w[i]);
          order.push_back(p->second);
        }
      } else {
        source.fail(line, "expected title, speed, sample, pattern, channel or order");
      }
    } catch (const std::invalid_argument& e) {
      source.fail(line, e.what());
    }
  }
  if (order.empty() || order.size() > 128) source.fail("the order lists 1-128 patterns");
  if (samples.empty()) source.fail("no sample");
  for (Pattern& p : patterns) p[0][kChannels - 1].effect = 0xF, p[0][kChannels - 1].param = speed;

  BigEndianWriter out;
  title.resize(20, '\0');
  out.raw(title);
  for (int slot = 0; slot < kSampleSlots; ++slot) {
    std::string name = slot < static_cast<int>(samples.size()) ? samples[slot].name : "";
    name.resize(22, '\0');
    out.raw(name);
    if (slot < static_cast<int>(samples.size())) {
      const Sample& s = samples[slot];
      const int words = static_cast<int>(s.data.size() / 2);
      out.s16(words);
      out.u8(0);  // finetune
      out.u8(s.volume);
      out.s16(0);
      out.s16(s.loops ? words : 1);
    } else {
      out.s16(0);
      out.u8(0);
      out.u8(0);
      out.s16(0);
      out.s16(1);
    }
  }
  out.u8(static_cast<int>(order.size()));
  out.u8(127);
  for (int i = 0; i < 128; ++i) out.u8(i < static_cast<int>(order.size()) ? order[i] : 0);
  out.raw("M.K.");
  int highest = 0;
  for (int p : order) highest = std::max(highest, p);
  for (int p = 0; p <= highest; ++p)
    for (const auto& row : patterns[p])
      for (const Cell& c : row) {
        out.u8((c.sample & 0xF0) | ((c.period >> 8) & 0x0F));
        out.u8(c.period & 0xFF);
        out.u8(((c.sample & 0x0F) << 4) | c.effect);
        out.u8(c.param);
      }
  for (const Sample& s : samples)
    for (std::int8_t v : s.data) out.u8(static_cast<std::uint8_t>(v));
  return out.take();
}

}  // namespace nv::demodata
